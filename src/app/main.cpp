#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "model/Data.h"

namespace {

QString WindowTitle(const TData& data)
{
    QString title = QStringLiteral("ZOL Programming Tools 4.7 - ");
    title += data.FileName.isEmpty() ? QStringLiteral("New file") : data.FileName;
    if (data.Modified())
        title += QStringLiteral(" - Modified");
    return title;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZOL Tools"));

    TData data;
    QMainWindow window;
    auto* label = new QLabel(QStringLiteral("ZOL Programming Tools"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.setWindowTitle(WindowTitle(data));
    QObject::connect(&data, &TData::ModifiedChanged, &window,
                     [&] { window.setWindowTitle(WindowTitle(data)); });
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
