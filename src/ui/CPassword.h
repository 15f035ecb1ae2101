// "Password": sets, changes or removes the dictionary's password.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CPassword;
}

namespace lq {

struct DictionaryHeader;
class Reporter;
class TestRandom;

class CPassword : public QDialog {
    Q_OBJECT
  public:
    // The change is made to `header` at once when the user confirms; `random` supplies the
    // draw that switching protection on needs.
    CPassword(DictionaryHeader& header, Reporter& reporter, TestRandom& random,
              QWidget* parent = nullptr);
    ~CPassword() override;

  private:
    void showCurrentPassword();
    void enableNewPassword(bool enabled);
    void confirm();
    bool currentPasswordAccepted() const;
    void installNewPassword();
    void removeProtection();

    std::unique_ptr<Ui::CPassword> ui_;
    DictionaryHeader& header_;
    Reporter& reporter_;
    TestRandom& random_;
};

}  // namespace lq
