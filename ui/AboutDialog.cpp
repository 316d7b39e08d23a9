#include "AboutDialog.h"

#include "StarIcon.h"

#include <QDesktopServices>
#include <QPixmap>
#include <QUrl>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent) {
    setupUi(this);
    QFont face = font();
    face.setPixelSize(11);
    setFont(face);
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const QPixmap icon = QPixmap::fromImage(StarIcon(32));
    programIcon->setPixmap(icon);
    starImage->setPixmap(icon);
    noticeLabel->setText(tr("© 2026 Vantrell 開発者"));
    commentsLabel->setText(tr("ギザギザの星を描くツール"));
    const QString url = QString::fromLatin1(kHomePage);
    homePageLabel->setText(
        QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%1</a>").arg(url));
    homePageLabel->setCursor(Qt::PointingHandCursor);
    connect(homePageLabel, &QLabel::linkActivated, this, &AboutDialog::openHomePage);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::openHomePage() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
}
