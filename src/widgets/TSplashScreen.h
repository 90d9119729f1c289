#pragma once
// The splash window: shown at start-up while the catalog is read, and again as the About box.
// A click on its picture or text, or any key, closes it.

#include <QDialog>
#include <QPointer>

class QFrame;
class QLabel;
class QTextEdit;
class QTimer;

class TSplashScreen : public QDialog {
    Q_OBJECT
public:
    // Its timer (Timer1, 5000 ms) is off: the caller switches it on for the start-up splash.
    explicit TSplashScreen(QWidget *parent = nullptr);

    // Shows a splash without blocking, painted before this returns, that closes itself after
    // five seconds; it is freed when it closes, which clears the returned pointer.
    static QPointer<TSplashScreen> ShowStartupSplash(QWidget *parent = nullptr);
    // Shows a splash modally, without its timer, until a click or a key closes it.
    static void ShowAbout(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void Image1Click();
    void Timer1Timer();
    void PaintNow();

    QFrame *Panel2;
    QFrame *Panel1;
    QLabel *Image1;
    QTextEdit *Memo1;
    QTimer *Timer1;
};
