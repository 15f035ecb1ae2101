// "Options": which words a test asks and how, the exit question, and the way to the password.
#pragma once

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <memory>

namespace Ui {
class COptions;
}

class QComboBox;

namespace lq {

class ChangeLog;
struct Dictionary;
class Reporter;
class TestRandom;

class COptions : public QDialog {
    Q_OBJECT
  public:
    // OK writes the settings into `dictionary`'s header; Cancel leaves them. A password change
    // made through "&Password" is kept either way. `random` serves that password dialog.
    COptions(Dictionary& dictionary, Reporter& reporter, TestRandom& random,
             QWidget* parent = nullptr);
    ~COptions() override;

    // OK and each password change become steps there; without a log they are not kept.
    void setChangeLog(ChangeLog& log) { changeLog_ = &log; }

  public slots:
    // Shows what each slider stands for; runs every 100 ms while the dialog exists.
    void refreshReadouts();

  private:
    void fillFilterLists();
    void showSettings();
    void enableTimeLimit(bool enabled);
    void showAnswerSettings();
    void enableMatchSettings(bool enabled);
    void storeAnswerSettings();
    void changePassword();
    void confirm();
    int32_t chosenTheme() const;
    int32_t chosenLanguage() const;

    std::unique_ptr<Ui::COptions> ui_;
    Dictionary& dictionary_;
    Reporter& reporter_;
    TestRandom& random_;
    ChangeLog* changeLog_;
    QTimer readoutTimer_;
};

}  // namespace lq
