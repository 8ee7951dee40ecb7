#pragma once
// The day's pie chart of the schedules window, made by the module vk_grafico, which the window
// loads when the chart is first needed so that start-up does not load the charts library.
#include <QBrush>
#include <QColor>
#include <QString>
#include <vector>

class QWidget;

// A band of the day: its label, its size in minutes and its colour.
struct TRebanada {
    QString Etiqueta;
    int Minutos = 0;
    QColor Color;
};

class TGraficoJornada {
public:
    virtual ~TGraficoJornada() = default;
    // The chart's widget, owned by its parent.
    virtual QWidget *Vista() = 0;
    // Shows a day: its title, its bands clockwise from midnight and the background.
    virtual void Muestra(const QString &titulo, const std::vector<TRebanada> &rebanadas,
                         const QBrush &fondo) = 0;
    // The bands shown.
    virtual std::vector<TRebanada> Rebanadas() const = 0;
};

// The module's entry point: a new chart, a child of padre.
using TCreaGraficoJornada = TGraficoJornada *(*)(QWidget *padre);
inline constexpr const char *ModuloGrafico = "vk_grafico";
inline constexpr const char *FuncionCreaGrafico = "VkCreaGraficoJornada";
