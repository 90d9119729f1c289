#include "widgets/Scale.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

int ScaleToDpi(int designPixels, double logicalDpi)
{
    return RoundHalfEven(designPixels * logicalDpi / DesignDpi);
}

int Scaled(int designPixels, const QScreen *screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // Without a screen there is nothing to scale to; keep the designed size.
    return screen ? ScaleToDpi(designPixels, screen->logicalDotsPerInch()) : designPixels;
}

QFont DesignFont(int designPixelHeight, const QScreen *screen)
{
    // The system font, not the application's: a window's font must not follow fonts that
    // other windows or the program set at run time.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(Scaled(designPixelHeight, screen));
    // Every attribute counts as set, so none is inherited from a parent or the application.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}
