#include "support/codigobarras.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

std::vector<std::string> zbar(const QStringList &imagenes) {
    QProcess p;
    p.start("/usr/bin/zbarimg", QStringList{"-q"} + imagenes);
    std::vector<std::string> codigos;
    if (!p.waitForFinished(60000))
        return codigos;
    for (const QByteArray &l : p.readAllStandardOutput().split('\n'))
        if (!l.trimmed().isEmpty())
            codigos.push_back(l.trimmed().toStdString());
    return codigos;
}

bool filaOscura(const QImage &img, int y) {
    const auto *fila = reinterpret_cast<const QRgb *>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x)
        if (qGray(fila[x]) < 128)
            return true;
    return false;
}

} // namespace

bool HayZbar() {
    return QFile::exists("/usr/bin/zbarimg");
}

std::vector<std::string> LeeCodigosBarras(const std::string &imagen) {
    return zbar({QString::fromStdString(imagen)});
}

std::vector<std::string> LeeCodigosBarrasEnOrden(const std::string &imagen) {
    const QImage img = QImage(QString::fromStdString(imagen)).convertToFormat(QImage::Format_RGB32);
    QTemporaryDir dir;
    QStringList bandas;
    constexpr int margen = 8;
    for (int y = 0; y < img.height();) {
        if (!filaOscura(img, y)) {
            ++y;
            continue;
        }
        int fin = y;
        while (fin < img.height() && filaOscura(img, fin))
            ++fin;
        QImage banda(img.width(), fin - y + 2 * margen, QImage::Format_RGB32);
        banda.fill(Qt::white);
        QPainter pintor(&banda);
        pintor.drawImage(QPoint(0, margen), img, QRect(0, y, img.width(), fin - y));
        pintor.end();
        bandas << dir.filePath(QString("banda%1.png").arg(bandas.size(), 4, 10, QChar('0')));
        banda.save(bandas.back());
        y = fin;
    }
    return bandas.isEmpty() ? std::vector<std::string>{} : zbar(bandas);
}

bool HayPdfToPpm() {
    return QFile::exists("/usr/bin/pdftoppm");
}

std::vector<std::string> LeeCodigosBarrasPdf(const std::string &pdf, int ppp) {
    QTemporaryDir dir;
    QProcess p;
    p.start("/usr/bin/pdftoppm",
            {"-r", QString::number(ppp), "-png", QString::fromStdString(pdf), dir.filePath("pagina")});
    std::vector<std::string> codigos;
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return codigos;
    const QStringList paginas = QDir(dir.path()).entryList({"pagina*.png"}, QDir::Files, QDir::Name);
    for (const QString &pagina : paginas)
        for (const std::string &c : LeeCodigosBarrasEnOrden(dir.filePath(pagina).toStdString()))
            codigos.push_back(c);
    return codigos;
}
