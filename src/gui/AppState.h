#pragma once
// The program-wide state: one object, owned by the application and passed by reference.
// Member names are the names the rest of the program (and its users' documentation) speak of.

#include "core/buffer/MemoryBuffer.h"
#include "core/devices/DeviceTable.h"

#include <QString>
#include <cstdint>

namespace zelko6 {

// Parameters of the selected chip; set only by the chip selection.
struct ChipParams {
    int32_t DUT_Bus = 0;      // 2 = two-wire, 3 = three-wire
    int32_t DUT_SizeExp = 0;  // the chip holds 2^DUT_SizeExp bytes
    int32_t DUT_PageSize = 0; // bytes per write page
    int32_t DUT_AdrMode = 0;  // 0, 1 or 2: chooses the read/write letters
    int32_t DUT_ExtParam = 0; // extra byte of three-wire address records
    QString DUT_Memo;
};

enum class AccessScope : int32_t { None = 0, SelectedByte = 1, Block = 2 };

struct AppState {
    // Start-up and error reporting
    int32_t StepNo = 0;
    QString AppDir; // program directory, always ending in the native separator
    QString StartupHint;
    QString AppTitleText;

    // Device catalogue
    DeviceTable deviceTable;
    int DeviceCount = 0;
    QString DefFileVer;
    ChipParams chip;
    bool chipSelected = false;

    // Memory buffer and editor
    MemoryBuffer BufData;
    int64_t CheckSumTotal = 0; // wide enough for the largest buffers the addresses can reach
    bool EditLock = false;
    QString WorkFilePath;

    // Programmer link
    int ComError = 0;
    double WaitStartTime = 0.0;
    double OpStartTime = 0.0;
    AccessScope AccessMode = AccessScope::None;
    double WriteSeconds = 0.0;
    QString FirmwareId;
    float FirmwareVersion = 0.0f;
    QString VerifyLogPath; // empty: VerifyLog.txt beside the program (the command line may choose)

    QString pathInAppDir(const QString &fileName) const { return AppDir + fileName; }
};

} // namespace zelko6
