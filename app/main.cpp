#include "languagetable.h"
#include "textid.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    loadLanguageTable(QApplication::applicationDirPath() + "/language/ENU.xml");
    QLabel label(languageText(TextId::ProgramName));
    label.show();
    const int code = app.exec();
    releaseLanguageTable();
    return code;
}
