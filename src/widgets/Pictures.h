#pragma once
// The program's pictures, all drawn here: Qt's standard style icons where one fits, otherwise
// simple shapes painted at each size the toolkit asks for.

#include <QIcon>
#include <QPixmap>

QIcon SetupPicture();
QIcon ClearListPicture();
QIcon LoadListPicture();
QIcon SaveListPicture();
QIcon EditTrackPicture();
QIcon FindPicture();

QIcon PlayPicture();
QIcon PausePicture();
QIcon StopPicture();
QIcon PrevPicture();
QIcon NextPicture();

// The splash window's picture: a CD with music notes.
constexpr int SplashPictureWidth = 250;
constexpr int SplashPictureHeight = 187;
QPixmap SplashPicture();
