#include "widgets/Pictures.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStyle>
#include <cmath>

namespace {
// Painted pictures are drawn on a 24 × 24 grid and rendered at every size a button may ask for,
// so they stay sharp on screens of any resolution.
constexpr int kGrid = 24;
constexpr int kSizes[] = {16, 20, 24, 32, 40, 48, 64};

using Painter = void (*)(QPainter &);

QIcon PaintedIcon(Painter paint)
{
    QIcon icon;
    for (int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(static_cast<qreal>(size) / kGrid, static_cast<qreal>(size) / kGrid);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon StandardIcon(QStyle::StandardPixmap which)
{
    return QApplication::style()->standardIcon(which);
}

const QColor kOutline(40, 40, 40);

void PaintGear(QPainter &p)
{
    const QPointF centre(12, 12);
    QPainterPath gear;
    constexpr int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        // Alternate outer and inner radius, two corners per step, for square teeth.
        const double radius = i % 2 == 0 ? 10.5 : 7.5;
        for (double edge : {-0.5, 0.5}) {
            const double angle = (i + edge * 0.8) * M_PI / teeth;
            const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
            if (gear.elementCount() == 0)
                gear.moveTo(point);
            else
                gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 3.2, 3.2);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(150, 160, 175));
    p.drawPath(gear);
}

void PaintSheetLines(QPainter &p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 2.5, 14, 19));
    p.setPen(QPen(QColor(90, 110, 160), 1.5));
    for (double y = 7; y <= 17; y += 3.5)
        p.drawLine(QPointF(6, y), QPointF(15, y));
}

void PaintClearList(QPainter &p)
{
    PaintSheetLines(p);
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 12), QPointF(21, 21));
    p.drawLine(QPointF(21, 12), QPointF(12, 21));
}

void PaintPencil(QPainter &p)
{
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(240, 190, 50));
    p.drawRect(QRectF(-6, -2.5, 13, 5));
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(7, -2.5, 3, 5));
    QPolygonF tip;
    tip << QPointF(-6, -2.5) << QPointF(-11, 0) << QPointF(-6, 2.5);
    p.setBrush(QColor(235, 215, 170));
    p.drawPolygon(tip);
    p.restore();
}

void PaintEditTrack(QPainter &p)
{
    PaintSheetLines(p);
    PaintPencil(p);
}

void PaintMagnifier(QPainter &p)
{
    p.setPen(QPen(QColor(90, 60, 30), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(190, 220, 250));
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
}

void PaintNote(QPainter &p, QPointF head, double size, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.save();
    p.translate(head);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), size * 0.62, size * 0.42);
    p.restore();
    const QPointF stemTop = head + QPointF(size * 0.55, -size * 2.6);
    p.setPen(QPen(colour, size * 0.16));
    p.drawLine(head + QPointF(size * 0.55, -size * 0.1), stemTop);
    QPainterPath flag;
    flag.moveTo(stemTop);
    flag.cubicTo(stemTop + QPointF(size * 0.1, size * 0.7), stemTop + QPointF(size * 1.1, size * 0.8),
                 stemTop + QPointF(size * 0.8, size * 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
}

void PaintDisc(QPainter &p, QPointF centre, double radius)
{
    QRadialGradient silver(centre, radius, centre + QPointF(-radius * 0.3, -radius * 0.4));
    silver.setColorAt(0.0, QColor(250, 250, 255));
    silver.setColorAt(0.6, QColor(190, 200, 215));
    silver.setColorAt(1.0, QColor(120, 130, 150));
    p.setPen(QPen(QColor(70, 75, 90), 1.5));
    p.setBrush(silver);
    p.drawEllipse(centre, radius, radius);

    // The rainbow sheen of the data side.
    const QColor sheen[] = {QColor(255, 80, 80, 90), QColor(255, 220, 60, 90), QColor(80, 220, 120, 90),
                            QColor(70, 140, 255, 90), QColor(190, 90, 255, 90)};
    p.setPen(Qt::NoPen);
    double ring = radius * 0.95;
    for (const QColor &colour : sheen) {
        p.setBrush(colour);
        const QRectF box(centre.x() - ring, centre.y() - ring, 2 * ring, 2 * ring);
        p.drawPie(box, 30 * 16, 40 * 16);
        p.drawPie(box, 210 * 16, 40 * 16);
        ring -= radius * 0.1;
    }

    p.setPen(QPen(QColor(110, 115, 130), 1));
    p.setBrush(QColor(220, 225, 235));
    p.drawEllipse(centre, radius * 0.32, radius * 0.32);
    p.setBrush(QColor(30, 40, 80));
    p.drawEllipse(centre, radius * 0.12, radius * 0.12);
}
} // namespace

QIcon SetupPicture() { return PaintedIcon(PaintGear); }
QIcon ClearListPicture() { return PaintedIcon(PaintClearList); }
QIcon LoadListPicture() { return StandardIcon(QStyle::SP_DialogOpenButton); }
QIcon SaveListPicture() { return StandardIcon(QStyle::SP_DialogSaveButton); }
QIcon EditTrackPicture() { return PaintedIcon(PaintEditTrack); }
QIcon FindPicture() { return PaintedIcon(PaintMagnifier); }

QIcon PlayPicture() { return StandardIcon(QStyle::SP_MediaPlay); }
QIcon PausePicture() { return StandardIcon(QStyle::SP_MediaPause); }
QIcon StopPicture() { return StandardIcon(QStyle::SP_MediaStop); }
QIcon PrevPicture() { return StandardIcon(QStyle::SP_MediaSkipBackward); }
QIcon NextPicture() { return StandardIcon(QStyle::SP_MediaSkipForward); }

QPixmap SplashPicture()
{
    QImage image(SplashPictureWidth, SplashPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient night(0, 0, 0, SplashPictureHeight);
    night.setColorAt(0.0, QColor(20, 30, 80));
    night.setColorAt(1.0, QColor(70, 20, 90));
    p.fillRect(image.rect(), night);

    PaintDisc(p, QPointF(100, 96), 78);
    PaintNote(p, QPointF(196, 70), 11, QColor(255, 210, 80));
    PaintNote(p, QPointF(222, 120), 9, QColor(120, 220, 255));
    PaintNote(p, QPointF(186, 160), 8, QColor(255, 140, 190));
    p.end();
    return QPixmap::fromImage(image);
}
