// "Advanced HTML Options": the table border, spacing, padding and font face of the HTML report.
#pragma once

#include <QDialog>
#include <memory>

#include "report/core/ReportOptions.h"

namespace Ui {
class CHtmlOptions;
}

class QComboBox;

namespace lq {

class CHtmlOptions : public QDialog {
    Q_OBJECT
  public:
    explicit CHtmlOptions(const ReportOptions& options, QWidget* parent = nullptr);
    ~CHtmlOptions() override;

    // The options it was opened with, with the four table values as chosen at OK.
    const ReportOptions& options() const { return options_; }

  private:
    static void fillNumbers(QComboBox* list, int32_t value);
    void confirm();

    std::unique_ptr<Ui::CHtmlOptions> ui_;
    ReportOptions options_;
};

}  // namespace lq
