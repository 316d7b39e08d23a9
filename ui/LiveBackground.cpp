#include "LiveBackground.h"

#include <QAction>
#include <QCoreApplication>
#include <QSettings>
#include <QTimer>
#include <QWidget>

namespace {

const QString kLiveKey = QStringLiteral("picture/liveSeeThrough");

// A window's visual is chosen when it is made: a made window is unmade, to be made
// again in its place, when next shown, with the visual its attributes now ask for.
struct WindowMaker : QWidget {
    static void Remake(QWidget &window) {
        const QRect geometry = window.geometry();
        const bool shown = window.isVisible();
        window.hide();
        // QWidget::destroy is protected; a member pointer taken here reaches it on
        // any widget.
        (window.*&WindowMaker::destroy)(true, true);
        window.setGeometry(geometry);
        if (shown)
            window.show();
    }
};

} // namespace

LiveBackground::LiveBackground(QAction *item, QWidget &window, QList<QWidget *> opaque,
                               DesktopAnswers desktop)
    : QObject(&window), item_(item), window_(window), opaque_(std::move(opaque)),
      desktop_(std::move(desktop)),
      plainNoSystemBackground_(window.testAttribute(Qt::WA_NoSystemBackground)) {
    item_->setCheckable(true);
    item_->setChecked(QSettings().value(kLiveKey, false).toBool());
    connect(item_, &QAction::toggled, this, [this](bool on) {
        if (item_->isEnabled())
            QSettings().setValue(kLiveKey, on);
        Review();
    });
    Review();
    // A compositing manager that starts or stops says so to no one but the owner of
    // its selection; a look twice a second notices it.
    if (desktop_.canBeCaptured()) {
        auto *watch = new QTimer(this);
        connect(watch, &QTimer::timeout, this, [this] {
            if (desktop_.composites() != composites_)
                Review();
        });
        watch->start(500);
    }
}

void LiveBackground::Review() {
    const bool composites = desktop_.composites();
    const bool left = composites_ && !composites && active_;
    composites_ = composites;
    const bool captures = desktop_.canBeCaptured();
    item_->setEnabled(composites && captures);
    if (!composites)
        item_->setToolTip(QCoreApplication::translate("LiveBackground",
                                                      "デスクトップが合成されていないため使えません"
                                                      "(コンポジットマネージャーが必要です)"));
    else if (!captures)
        item_->setToolTip(QCoreApplication::translate(
            "LiveBackground",
            "このデスクトップは画面を取得できないため、常に実際の背景を透かします"));
    else
        item_->setToolTip(QString());
    const QSignalBlocker quiet(item_);
    if (!captures && composites)
        item_->setChecked(true);
    else if (composites)
        item_->setChecked(QSettings().value(kLiveKey, false).toBool());
    Apply(composites && item_->isChecked());
    if (left)
        emit compositorLeft();
}

void LiveBackground::Apply(bool active) {
    if (active == active_)
        return;
    active_ = active;
    window_.setAttribute(Qt::WA_TranslucentBackground, active);
    if (!active)
        window_.setAttribute(Qt::WA_NoSystemBackground, plainNoSystemBackground_);
    for (QWidget *part : opaque_)
        part->setAutoFillBackground(active);
    if (window_.testAttribute(Qt::WA_WState_Created))
        WindowMaker::Remake(window_);
    emit activeChanged(active);
}
