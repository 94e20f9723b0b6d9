#include "app/WindowTitle.h"
#include "model/Data.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

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
