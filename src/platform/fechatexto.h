#pragma once
// Dates as text in Spanish: the day and month names are a fixed table (never the system locale),
// and dates are formatted with the patterns of the program ("dddd d 'de' mmmm 'de' yyyy").
#include <QDate>
#include <string>

// Windows-1252 names: day 1 = Monday ... 7 = Sunday, month 1 = January ... 12; "" outside.
std::string NombreDia(int diaSemana);      // "lunes", "miércoles", ...
std::string NombreDiaCorto(int diaSemana); // "lun", "mié", "sáb", ...
std::string NombreMes(int mes);            // "enero", ...

// Formats a date: d, dd (day), ddd, dddd (weekday), m, mm (month), mmm, mmmm (month name), yy,
// yyyy (year); text in single or double quotes is copied as it stands, as is any other character.
// The pattern and the result are Windows-1252.
std::string FormatoFecha(const QDate &fecha, const std::string &patron);
