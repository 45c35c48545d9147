#include "app/corvaneResources.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerResources() {
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(style);
}

void InitCorvaneResources() {
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

void ApplyCorvaneStyle(QApplication& app) {
    InitCorvaneResources();
    // Fusion draws the same on every desktop, so the sheet only has to adjust it.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    QFile sheet(QStringLiteral(":/style/corvane.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
}
