// A row of digital-clock characters: the test window's question counter and clock.
#pragma once

#include <QString>
#include <QWidget>

namespace lq {

class DigitDisplay : public QWidget {
    Q_OBJECT
  public:
    explicit DigitDisplay(QWidget* parent = nullptr);

    // Digits, '-', ':' and '/'; any other character shows as a blank place.
    void setText(const QString& text);
    QString text() const { return text_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
};

}  // namespace lq
