#pragma once
// The colours of the reports, and of the windows where they mean the same.
#include <QColor>

inline const QColor ColorAzul(0, 0, 255);
inline const QColor ColorRojo(255, 0, 0);
inline const QColor ColorVerde(0, 128, 0);
inline const QColor ColorMarino(0, 0, 128);
inline const QColor ColorNegro(0, 0, 0);
inline const QColor ColorBlanco(255, 255, 255);
inline const QColor ColorGris(128, 128, 128);

// What each colour means in a report.
inline const QColor ColorTitulo = ColorAzul;            // titles, bold, 16 points
inline const QColor ColorGrupo = ColorVerde;            // day and group headings
inline const QColor ColorFalta = ColorRojo;             // shortfalls, worker-charged incidences
inline const QColor ColorIncidenciaEmpresa = ColorAzul; // company-charged incidences
inline const QColor ColorTotal = ColorMarino;           // totals
inline const QColor ColorNormal = ColorNegro;
