#include "About.h"

#include "StarIcon.h"

#include <QDesktopServices>
#include <QPixmap>
#include <QUrl>

TAboutDlg *AboutDlg = nullptr;

TAboutDlg::TAboutDlg(QWidget *parent) : QDialog(parent) {
    setupUi(this);
    QFont face = font();
    face.setPixelSize(11);
    setFont(face);
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const QPixmap icon = QPixmap::fromImage(StarIcon(32));
    ProgramIcon->setPixmap(icon);
    Image1->setPixmap(icon);
    Notice->setText(tr("© 2026 Vantrell 開発者"));
    Comments->setText(tr("ギザギザの星を描くツール"));
    const QString url = QString::fromLatin1(kHomePage);
    stxTulimoUrl->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%1</a>").arg(url));
    stxTulimoUrl->setCursor(Qt::PointingHandCursor);
    connect(stxTulimoUrl, &QLabel::linkActivated, this, &TAboutDlg::stxTulimoUrlClick);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutDlg::stxTulimoUrlClick() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
}
