#pragma once
#include <QDialog>

class QLabel;

namespace zelko6 {

class Shell;

// frmAbout: created once at start-up, then only shown and hidden; it keeps its texts all run.
class AboutWindow final : public QDialog {
    Q_OBJECT
  public:
    AboutWindow(Shell &shell, QString appDir, QWidget *parent = nullptr);

    void setDisclaimer(const QString &text);
    // The catalogue as the user knows it (its name, or its path when it is the user's own).
    void setDefinitionFile(const QString &name, const QString &defFileVer);
    QString versionCaption() const;

  private:
    Shell &shell_;
    QString appDir_;
    QLabel *version_ = nullptr;
    QLabel *disclaimer_ = nullptr;
    QLabel *definitionFile_ = nullptr;
};

} // namespace zelko6
