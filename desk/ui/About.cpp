// The About box and its scrolling credits.
#include "About.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "Texts.h"

namespace {

constexpr double StepFactor = 1.5;
constexpr int LimitSteps = 10;
constexpr int Margin = 8;
constexpr int OkPanelHeight = 40;
constexpr int VisibleLines = 7;  // credit lines the text area shows at once
const char* const Credits[TfrAbout::LineCount] = {
    "Vydesk - менеджер проектов VYK",
    "VYK: Оберон-2 с общими типами",
    "и общими процедурами",
    "Компилятор VYK переводит модули в C++",
    "Компоновщик Vybind строит диспетчеры",
    "Утилита Vygen пишет сценарии сборки",
    "Сборка: компилятор C++ и make",
    "Спасибо, что выбрали VYK!",
    "",
};
const QColor Lime(0, 255, 0);

}  // namespace

TfrAbout::TfrAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), tmTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("TfrAbout"));
    setWindowTitle(QStringLiteral("О программе..."));
    tmTimer->setObjectName(QStringLiteral("tmTimer"));
    tmTimer->setInterval(TimerInterval);
    connect(tmTimer, &QTimer::timeout, this, &TfrAbout::tmTimerTimer);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateTextPanel(), 1);
    layout->addWidget(CreateOkPanel());
    FitToFont();
}

// pnText: the black paint box with the scrolling credits, and below it the version near the
// lower left on a strip of its own, so no credit line is ever drawn over it.
QWidget* TfrAbout::CreateTextPanel()
{
    auto* pnText = new QWidget(this);
    pnText->setObjectName(QStringLiteral("pnText"));
    pnText->setAutoFillBackground(true);
    QPalette black = pnText->palette();
    black.setColor(QPalette::Window, Qt::black);
    pnText->setPalette(black);
    auto* textLayout = new QVBoxLayout(pnText);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->setSpacing(0);
    pbText = new QWidget(pnText);
    pbText->setObjectName(QStringLiteral("pbText"));
    pbText->setAutoFillBackground(true);
    pbText->setPalette(black);
    pbText->installEventFilter(this);
    textLayout->addWidget(pbText, 1);
    lbVersion = new QLabel(QLatin1String(DeskText::Version), pnText);
    lbVersion->setObjectName(QStringLiteral("lbVersion"));
    QFont bold = lbVersion->font();
    bold.setBold(true);
    lbVersion->setFont(bold);
    QPalette lime = lbVersion->palette();
    lime.setColor(QPalette::WindowText, Lime);
    lbVersion->setPalette(lime);
    lbVersion->setContentsMargins(Margin, 0, Margin, Margin);
    textLayout->addWidget(lbVersion);
    return pnText;
}

// The box keeps its size at the normal font and grows with a larger one: the longest credit
// fits across, and the text area shows as many lines as before.
void TfrAbout::FitToFont()
{
    const QFontMetrics fm = pbText->fontMetrics();
    int widest = 0;
    for (const char* line : Credits) widest = qMax(widest, fm.horizontalAdvance(QString::fromUtf8(line)));
    const int lineHeightNow = fm.boundingRect(QStringLiteral("ЁЙур")).height();
    const int textHeight = int(std::lround(VisibleLines * StepFactor * lineHeightNow));
    const int okHeight = qMax(OkPanelHeight, pnOK->layout()->sizeHint().height());
    pnOK->setFixedHeight(okHeight);
    const int width = qMax(ClientWidth, widest + 4 * Margin);
    const int height = qMax(ClientHeight, textHeight + lbVersion->sizeHint().height() + okHeight);
    setFixedSize(width, height);
}

QWidget* TfrAbout::CreateOkPanel()
{
    pnOK = new QWidget(this);
    pnOK->setObjectName(QStringLiteral("pnOK"));
    pnOK->setFixedHeight(OkPanelHeight);
    auto* okLayout = new QHBoxLayout(pnOK);
    auto* sbOK = new QToolButton(pnOK);
    sbOK->setObjectName(QStringLiteral("sbOK"));
    sbOK->setText(QStringLiteral("OK"));
    sbOK->setAutoRaise(true);
    QFont bold = sbOK->font();
    bold.setBold(true);
    sbOK->setFont(bold);
    okLayout->addStretch();
    okLayout->addWidget(sbOK);
    okLayout->addStretch();
    connect(sbOK, &QToolButton::clicked, this, &QDialog::accept);
    return pnOK;
}

void TfrAbout::StartScrolling()
{
    lineHeight = pbText->fontMetrics().boundingRect(QStringLiteral("ЁЙур")).height();
    lineStep = int(std::lround(StepFactor * lineHeight));
    limit = LimitSteps * lineStep;
    y0 = pbText->height();
    tmTimer->start();
}

void TfrAbout::tmTimerTimer()
{
    if (-y0 <= limit) --y0;
    else y0 = pbText->height();
    pbText->update();
}

void TfrAbout::PaintText(QWidget* box)
{
    QPainter g(box);
    g.fillRect(box->rect(), Qt::black);
    g.setPen(Lime);
    for (int i = 1; i <= LineCount; ++i) {
        const QRect r(0, i * lineStep + y0, box->width(), lineHeight);
        g.drawText(r, Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(Credits[i - 1]));
    }
}

bool TfrAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pbText && event->type() == QEvent::Paint) {
        PaintText(pbText);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrAbout::showEvent(QShowEvent* event)
{
    FitToFont();
    layout()->activate();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    StartScrolling();
}

void TfrAbout::hideEvent(QHideEvent* event)
{
    tmTimer->stop();
    QDialog::hideEvent(event);
}

void TfrAbout::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
