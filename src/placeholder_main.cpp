#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::puts("KRT-6 configurator: the main window is not built yet.");
    return 0;
}
