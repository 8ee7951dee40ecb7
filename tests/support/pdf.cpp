#include "support/pdf.h"

#include "support/dirtemporal.h"

#include <QFile>
#include <QProcess>

bool HayPdfToText() {
    return QFile::exists("/usr/bin/pdftotext");
}

QStringList PaginasPdf(const std::string &ruta) {
    QProcess p;
    p.start("pdftotext", {"-layout", QString::fromStdString(ruta), "-"});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return {};
    QStringList r = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    if (!r.isEmpty() && r.back().trimmed().isEmpty())
        r.removeLast();
    return r;
}

bool PaginaPdfAImagen(const std::string &pdf, const std::string &png) {
    QString base = QString::fromStdString(png);
    base.chop(4); // pdftoppm adds ".png"
    QProcess p;
    p.start("pdftoppm", {"-r", "150", "-png", "-singlefile", "-f", "1", QString::fromStdString(pdf), base});
    return p.waitForFinished(20000) && p.exitCode() == 0 && QFile::exists(QString::fromStdString(png));
}

std::vector<std::pair<int, int>> TamanosPdf(const std::string &ruta) {
    std::vector<std::pair<int, int>> r;
    QRegularExpression caja("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]");
    QString pdf = QString::fromLatin1(QByteArray::fromStdString(Contenido(ruta)));
    for (auto it = caja.globalMatch(pdf); it.hasNext();) {
        auto m = it.next();
        r.emplace_back(static_cast<int>(m.captured(1).toDouble()),
                       static_cast<int>(m.captured(2).toDouble()));
    }
    return r;
}

QRegularExpression CabeceraPdf(const QString &empresa, int pagina, int total) {
    QString e = QRegularExpression::escape(empresa).replace("\\ ", " +");
    return QRegularExpression(QString::fromUtf8("^ *%1 +- +Página %2 de %3$").arg(e).arg(pagina).arg(total),
                              QRegularExpression::MultilineOption);
}
