// "Dictionary Information": the header's facts and the size the file has when saved now.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CDictionaryInformation;
}

namespace lq {

struct Dictionary;

class CDictionaryInformation : public QDialog {
    Q_OBJECT
  public:
    explicit CDictionaryInformation(const Dictionary& dictionary, QWidget* parent = nullptr);
    ~CDictionaryInformation() override;

  private:
    std::unique_ptr<Ui::CDictionaryInformation> ui_;
};

}  // namespace lq
