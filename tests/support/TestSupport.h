#pragma once
// Isolation and fakes shared by the tests.

#include "core/base/Settings.h"
#include "core/operations/Events.h"
#include "gui/Desktop.h"
#include "messages/StatusRenderer.h"

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[' << list.join(QStringLiteral("|")).toStdString() << ']';
}

namespace zelko6::test {

// Offscreen platform and a private runtime directory, before any application object exists.
void prepareProcessEnvironment();

// A private per-user settings store for one test: QSettings writes below a temporary folder.
class IsolatedSettings {
  public:
    IsolatedSettings();
    ~IsolatedSettings();
    QString directory() const { return dir_.path(); }
    // Reads a value the way a later run would, through a fresh QSettings.
    QString stored(const QString &section, const QString &key) const;
    bool has(const QString &section, const QString &key) const;

  private:
    QTemporaryDir dir_;
};

// An environment variable set for one test; the earlier value comes back when the object goes.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char *name, const QByteArray &value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

  private:
    QByteArray name_;
    std::optional<QByteArray> earlier_;
};

// A temporary program directory; optionally holding a catalogue.
class TempProgramDir {
  public:
    TempProgramDir();
    // As the program names its folder: native separators, one at the end.
    QString appDir() const { return QDir::toNativeSeparators(dir_.path()) + QDir::separator(); }
    QString file(const QString &name) const { return appDir() + name; }
    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    // Every name in the folder, hidden ones too.
    QStringList entries() const;
    // Copies the sample catalogue of the source tree.
    void copySampleCatalogue() const;

  private:
    QTemporaryDir dir_;
};

class MemorySettingsStore final : public SettingsStore {
  public:
    QString get(const QString &section, const QString &key, const QString &defaultValue) const override
    {
        return values.value(section + u'/' + key, defaultValue);
    }
    void save(const QString &section, const QString &key, const QString &value) override
    {
        values[section + u'/' + key] = value;
        writes.push_back(section + u'/' + key + u'=' + value);
    }
    QMap<QString, QString> values;
    QStringList writes;
};

// Status panels that keep every text shown, by the panel's number on screen (1 to 4).
class RecordingStatusPanels final : public StatusPanels {
  public:
    void setText(StatusPanel panel, const QString &text) override
    {
        const int number = static_cast<int>(panel) + 1;
        texts[number] = text;
        history.emplace_back(number, text);
    }
    QString text(StatusPanel panel) const override { return texts.value(static_cast<int>(panel) + 1); }
    QString panel(int number) const { return texts.value(number); }
    QStringList historyOf(int panel) const;
    QMap<int, QString> texts;
    std::vector<std::pair<int, QString>> history;
};

// What a face receives: the events in order, and the panels as the window's renderer writes them.
class RenderedEvents final : public EventSink {
  public:
    void report(const StatusEvent &event) override
    {
        events.push_back(event);
        renderer.render(event);
    }
    template <typename Event> int count() const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [](const StatusEvent &e) {
            return std::holds_alternative<Event>(e);
        }));
    }
    RecordingStatusPanels panels;
    StatusRenderer renderer{panels};
    std::vector<StatusEvent> events;
};

class RecordingShell final : public Shell {
  public:
    void open(const QString &pathOrUrl) override { opened << pathOrUrl; }
    QStringList opened;
};

// Answers message boxes from a script (Ok when the script is empty) and records them.
class ScriptedMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        BoxIcon icon;
        BoxButtons buttons;
        QString title;
        QString text;
    };
    BoxAnswer show(BoxIcon icon, BoxButtons buttons, const QString &title, const QString &text) override
    {
        shown.push_back({icon, buttons, title, text});
        if (whileShown)
            whileShown(); // the user reads the box before answering
        if (answers.empty())
            return BoxAnswer::Ok;
        const BoxAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<Shown> shown;
    std::deque<BoxAnswer> answers;
    std::function<void()> whileShown;
};

// Bytes that differ from their neighbours and from 0xFF at nearly every address.
QByteArray patternBytes(int size, int seed = 0);
// A whole file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Makes the file hold exactly `bytes`; false when it cannot.
bool writeBytes(const QString &path, const QByteArray &bytes);
QString sourcePath(const QString &relative);
QString binaryPath(const QString &relative);

} // namespace zelko6::test
