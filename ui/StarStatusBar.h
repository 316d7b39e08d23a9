#pragma once

#include <QStatusBar>
#include <QString>

#include <array>

// A status bar of fixed-width text panels drawn side by side from the left. The
// panels are painted, not laid out, so they never limit how narrow the window gets.
class StarStatusBar : public QStatusBar {
    Q_OBJECT

public:
    struct Panel {
        int width;
        Qt::Alignment alignment;
        QString text;
    };
    static constexpr int kPanelCount = 4;

    explicit StarStatusBar(QWidget *parent = nullptr);

    const QString &PanelText(int index) const { return panels_[index].text; }
    void SetPanelText(int index, const QString &text);
    // Any width: the window may get as narrow as its user wants.
    QSize minimumSizeHint() const override { return {0, QStatusBar::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<Panel, kPanelCount> panels_;
};
