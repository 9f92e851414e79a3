#pragma once
// What the link remembers of its operations. A record for the curious and for the texts: each
// field is written in one place (named beside it) and no decision is taken on it; the operations
// pass their results as return values.

#include <QString>

namespace zelko6 {

struct LinkState {
    int ComError = 0;             // 1 after a refusal or a link failure of the last operation;
                                  // DeviceOperations
    double WaitStartTime = 0.0;   // clock at the start of the last reply wait; startWait()
    double OpStartTime = 0.0;     // clock at the start of the last read, write or verify;
                                  // DeviceOperations
    double WriteSeconds = 0.0;    // elapsed seconds of the last successful write; DeviceOperations
    QString FirmwareId;           // the last identification that began "QT-LNK"; DeviceOperations
    float FirmwareVersion = 0.0f; // its last four characters as a number; DeviceOperations
};

} // namespace zelko6
