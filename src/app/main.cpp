#include "app/ovixapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    COvixApp app;
    return app.Run();
}
