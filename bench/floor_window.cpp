// The floor for the start-up and memory figures: the least a Qt Widgets
// program of the same size can do, one window with one label.

#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace {
constexpr int ClientWidth = 663;
constexpr int ClientHeight = 543;
} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(ClientWidth, ClientHeight);
    QLabel label(QStringLiteral("0%"), &window);
    label.move(ClientWidth / 2, ClientHeight / 2);
    window.show();
    return QApplication::exec();
}
