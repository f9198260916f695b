#pragma once

#include <QWidget>

namespace dalvira {

// The start-up window: a banner, the product name and "Bekleyin Program Açılıyor.....",
// painted before anything else is loaded.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
    // Shows the window centred and paints it at once.
    void showNow();

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace dalvira
