#include "support/codigobarras.h"

#include <QFile>
#include <QProcess>

bool HayZbar() {
    return QFile::exists("/usr/bin/zbarimg");
}

std::vector<std::string> LeeCodigosBarras(const std::string &imagen) {
    QProcess p;
    p.start("/usr/bin/zbarimg", {"-q", QString::fromStdString(imagen)});
    std::vector<std::string> codigos;
    if (!p.waitForFinished(30000))
        return codigos;
    for (const QByteArray &l : p.readAllStandardOutput().split('\n'))
        if (!l.trimmed().isEmpty())
            codigos.push_back(l.trimmed().toStdString());
    return codigos;
}
