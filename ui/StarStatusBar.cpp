#include "StarStatusBar.h"

#include <QPainter>
#include <QStringList>
#include <qdrawutil.h>

namespace {
constexpr int kPanelGap = 2;    // pixels between panels
constexpr int kTextPadding = 3; // pixels between a panel's edge and its text
} // namespace

StarStatusBar::StarStatusBar(QWidget *parent)
    : QStatusBar(parent), panels_{{{105, Qt::AlignLeft, QStringLiteral("Size:9999,999")},
                                   {75, Qt::AlignLeft, QStringLiteral("Points:99")},
                                   {50, Qt::AlignRight, QStringLiteral("x 9999")},
                                   {50, Qt::AlignLeft, QString()}}} {
    setSizeGripEnabled(false);
}

void StarStatusBar::SetPanelText(int index, const QString &text) {
    if (panels_[index].text == text)
        return;
    panels_[index].text = text;
    // The panels are painted: a screen reader reads their texts from the bar itself.
    QStringList texts;
    for (const Panel &panel : panels_)
        if (!panel.text.isEmpty())
            texts << panel.text;
    setAccessibleDescription(texts.join(QStringLiteral(", ")));
    update();
}

void StarStatusBar::paintEvent(QPaintEvent *event) {
    QStatusBar::paintEvent(event);
    QPainter painter(this);
    int left = 0;
    for (const Panel &panel : panels_) {
        const QRect frame(left, kPanelGap, panel.width, height() - kPanelGap);
        qDrawShadePanel(&painter, frame, palette(), true, 1);
        painter.drawText(frame.adjusted(kTextPadding, 0, -kTextPadding, 0),
                         int(panel.alignment | Qt::AlignVCenter), panel.text);
        left += panel.width + kPanelGap;
    }
}
