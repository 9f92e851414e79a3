#pragma once
// frmCom: the user picks the port the programmer board hangs on and the two output lines DTR and
// RTS. Every choice is saved at once; choosing a port tries it at once, so an unusable port is
// reported while the user is still choosing. Beside the number, the list shows every port as the
// system knows it (which adapter, or that nothing is there) and follows adapters plugged in or out
// while the window is open; "find the programmer" tries every present port in turn and chooses the
// one our firmware answers on. Closing the window always leaves the port closed.

#include "core/operations/Events.h"
#include "core/operations/LinkThread.h"
#include "core/programmer/SystemPorts.h"

#include <QDialog>
#include <map>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QLabel;
class QTimer;
class QTreeWidget;

namespace zelko6 {

class MessageBoxes;
class PortSearch;
class SerialLink;
class Settings;

// Where the window learns about the system's ports, and how the search opens them. The defaults
// are the real ones; tests give a fake list and a by-id folder of their own.
struct PortWindowSystem {
    const SystemPortList *ports = nullptr; // none: QSerialPortInfo
    QString byIdFolder = kSerialByIdFolder;
    LinkThread::LinkFactory makeSearchLink; // none: the real serial port
};

// Shown modal with exec(). Loading (closing the port, filling the list, selecting and probing the
// saved port, setting the boxes) happens in the constructor and again whenever the window is shown
// after it was closed, so a caller may keep one window or make a new one each time.
class PortWindow final : public QDialog, private EventSink {
    Q_OBJECT
  public:
    // `link` is the port the window's probe opens, on the window's thread (the device operations
    // have their own on the link's thread); it is closed whenever the window closes.
    PortWindow(SerialLink &link, Settings &settings, MessageBoxes &boxes, PortWindowSystem system = {},
               QWidget *parent = nullptr);
    ~PortWindow() override;

    void done(int result) override; // every way out (button, close box, Escape) unloads

    // How often the list asks the system for its ports while the window is open.
    static constexpr int kListRefreshMs = 1000;

  protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    enum Column { ColNumber, ColDevice, ColDescription, ColMaker, ColSerial, ColUsb, ColWriter, ColumnCount };

    void retranslateUi();
    void load();
    void unload();
    void portChosen(int index, bool byUser);
    void lineClicked(QCheckBox *box, bool rts);
    void showDevice(int index);
    void refreshList();
    void fillRow(int row, const PortEntry &entry);
    void rowChosen(int row);
    void findWriter();
    void heard(const CheckOutcome &outcome);
    void searchDone(std::optional<int> found);
    void setSearching(bool searching);
    void report(const StatusEvent &event) override;

    SerialLink &link_;
    Settings &settings_;
    MessageBoxes &boxes_;
    PortWindowSystem system_;
    std::unique_ptr<SystemPortList> ownList_;
    PortInventory inventory_;
    bool loaded_ = false;

    std::vector<PortEntry> shown_;        // what the list shows, port 1 first
    std::map<int, QString> searchResult_; // port number -> what the search heard there
    std::unique_ptr<PortSearch> search_;
    int searching_ = 0; // the port the search is checking now; 0: none

    QLabel *listCaption_ = nullptr;
    QComboBox *ports_ = nullptr;
    QLabel *device_ = nullptr;
    QTreeWidget *list_ = nullptr;
    QPushButton *find_ = nullptr;
    QLabel *findStatus_ = nullptr;
    QTimer *refresh_ = nullptr;
    QGroupBox *lines_ = nullptr;
    QPushButton *close_ = nullptr;
    QCheckBox *dtr_ = nullptr;
    QCheckBox *rts_ = nullptr;
};

} // namespace zelko6
