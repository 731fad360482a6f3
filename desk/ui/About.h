// TfrAbout, the About box: the version in lime green and eight credit lines that scroll up a
// black panel one pixel every 50 ms, and start again from below once they have left the top.
#pragma once
#include <QDialog>

class QLabel;
class QTimer;
class QWidget;

class TfrAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 359;
    static constexpr int ClientHeight = 246;
    static constexpr int TimerInterval = 50;  // ms
    static constexpr int LineCount = 9;       // eight credits and an empty line

    explicit TfrAbout(QWidget* parent = nullptr);

    // Sets up the scrolling text; done each time the box is shown.
    void StartScrolling();
    // One step of the scrolling text.
    void tmTimerTimer();
    void PaintText(QWidget* box);

    QTimer* tmTimer;
    QWidget* pbText;
    QLabel* lbVersion = nullptr;
    QWidget* pnOK = nullptr;
    int lineHeight = 0;
    int lineStep = 0;
    int y0 = 0;
    int limit = 0;

protected:
    QWidget* CreateTextPanel();
    QWidget* CreateOkPanel();
    void FitToFont();
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
