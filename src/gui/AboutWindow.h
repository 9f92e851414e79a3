#pragma once
#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;

namespace zelko6 {

class Shell;

// frmAbout: created once at start-up, then only shown and hidden; it keeps its texts all run.
class AboutWindow final : public QDialog {
    Q_OBJECT
  public:
    AboutWindow(Shell &shell, QString appDir, QWidget *parent = nullptr);

    // The disclaimer line names the maker's support page.
    void setSupportAddress(const QString &address);
    // The catalogue as the user knows it (its name, or its path when it is the user's own).
    void setDefinitionFile(const QString &name, const QString &defFileVer);
    QString versionCaption() const;

  protected:
    void changeEvent(QEvent *event) override;

  private:
    void retranslateUi();

    Shell &shell_;
    QString appDir_;
    QLabel *version_ = nullptr;
    QLabel *disclaimer_ = nullptr;
    QLabel *definitionFile_ = nullptr;
    QLabel *description_ = nullptr;
    QPushButton *support_ = nullptr;
    QPushButton *ok_ = nullptr;
    QString supportAddress_;
    std::optional<QString> definitionFileLine_; // the catalogue's name and version, once read
};

} // namespace zelko6
