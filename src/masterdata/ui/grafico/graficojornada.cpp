#include "masterdata/ui/grafico/graficojornada.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QPieSeries>
#include <QPieSlice>
#include <algorithm>

namespace {

// The pie with the clock labels drawn over it.
class TRelojChart : public QChartView, public TGraficoJornada {
public:
    explicit TRelojChart(QWidget *padre) : QChartView(new QChart(), padre) {
        Series1 = new QPieSeries(chart());
        Series1->setPieStartAngle(180);
        Series1->setPieEndAngle(-180);
        Series1->setPieSize(0.7);
        chart()->addSeries(Series1);
        chart()->legend()->setAlignment(Qt::AlignRight);
        // The band labels stay readable over the gradient.
        chart()->legend()->setBackgroundVisible(true);
        chart()->legend()->setBrush(QColor(255, 255, 255, 220));
        chart()->legend()->setLabelColor(Qt::black);
        QFont titulo = chart()->titleFont();
        titulo.setBold(true);
        chart()->setTitleFont(titulo);
        chart()->setTitleBrush(Qt::white);
        setRenderHint(QPainter::Antialiasing);
    }

    QWidget *Vista() override { return this; }

    void Muestra(const QString &titulo, const std::vector<TRebanada> &rebanadas,
                 const QBrush &fondo) override {
        Series1->clear();
        chart()->setTitle(titulo);
        for (const TRebanada &r : rebanadas)
            Series1->append(r.Etiqueta, r.Minutos)->setColor(r.Color);
        chart()->setBackgroundBrush(fondo);
    }

    std::vector<TRebanada> Rebanadas() const override {
        std::vector<TRebanada> r;
        for (QPieSlice *s : Series1->slices())
            r.push_back({s->label(), static_cast<int>(s->value()), s->color()});
        return r;
    }

protected:
    void drawForeground(QPainter *p, const QRectF &rect) override;

private:
    QPieSeries *Series1 = nullptr;
};

void TRelojChart::drawForeground(QPainter *p, const QRectF &rect) {
    QChartView::drawForeground(p, rect);
    // Clock labels around the pie: midnight at the bottom, noon at the top, 06:00 on the right.
    const QRectF area = chart()->plotArea();
    const QPointF centro = area.center();
    const qreal radio = std::min(area.width(), area.height()) * 0.7 / 2 + 4;
    QFont f = p->font();
    f.setBold(true);
    p->save();
    p->setFont(f);
    const QFontMetrics fm(f);
    struct Rotulo {
        const char *texto;
        QPointF punto;
    } rotulos[] = {
        {"00:00", centro + QPointF(0, radio + fm.ascent())},
        {"12:00", centro - QPointF(0, radio)},
        {"06:00", centro + QPointF(radio + fm.horizontalAdvance("06:00") / 2.0, fm.ascent() / 2.0)},
        {"18:00", centro - QPointF(radio + fm.horizontalAdvance("18:00") / 2.0, -fm.ascent() / 2.0)}};
    const QColor colorTexto = p->pen().color();
    for (int pasada = 0; pasada < 2; ++pasada) {
        p->setPen(pasada == 0 ? colorTexto : QColor(Qt::white));
        for (const Rotulo &r : rotulos) {
            QPointF punto = mapFromScene(r.punto) - QPointF(fm.horizontalAdvance(r.texto) / 2.0, 0);
            p->drawText(punto + QPointF(pasada, pasada), r.texto);
        }
    }
    p->restore();
}

} // namespace

extern "C" Q_DECL_EXPORT TGraficoJornada *VkCreaGraficoJornada(QWidget *padre) {
    return new TRelojChart(padre);
}
