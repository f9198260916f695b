#include "session/SplashWindow.h"

#include "common/WindowPlacement.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

namespace dalvira {

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("splash"));
    setFixedSize(520, 280);
}

void SplashWindow::showNow()
{
    centreOnScreen(this, QApplication::primaryScreen());
    show();
    repaint();
    QApplication::processEvents();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The banner: a band of blue with the name, the buildings drawn in outline.
    const QRect banner(0, 0, width(), 170);
    QLinearGradient sky(banner.topLeft(), banner.bottomLeft());
    sky.setColorAt(0, QColor(22, 74, 138));
    sky.setColorAt(1, QColor(70, 140, 200));
    p.fillRect(banner, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    const int heights[] = {70, 110, 90, 130, 80, 100};
    int x = 300;
    for (int h : heights) {
        p.drawRect(x, banner.bottom() - h, 30, h);
        x += 36;
    }
    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(24, 30, width() - 48, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Dalvira"));
    QFont sub = font();
    sub.setPointSize(11);
    p.setFont(sub);
    p.drawText(QRect(26, 90, width() - 48, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Site / Apartman Yönetimi ve İşletme Defteri"));

    p.fillRect(QRect(0, banner.bottom() + 1, width(), height() - banner.height()), Qt::white);
    p.setPen(QColor(30, 30, 30));
    QFont name = font();
    name.setPointSize(15);
    name.setBold(true);
    p.setFont(name);
    p.drawText(QRect(0, 182, width(), 36), Qt::AlignCenter, QStringLiteral("Dalvira Programı "));
    QFont wait = font();
    wait.setPointSize(11);
    p.setFont(wait);
    p.drawText(QRect(0, 222, width(), 30), Qt::AlignCenter,
               QStringLiteral("Bekleyin Program Açılıyor....."));
    p.setPen(QColor(22, 74, 138));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace dalvira
