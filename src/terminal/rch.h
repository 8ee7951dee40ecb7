#pragma once
// The terminal control panel: terminal links, protocol, console and clockings pages.
#include "terminal/rch_fichajes.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class TFormVelka : public QWidget, public TPaginaFichajes {
    Q_OBJECT
public:
    explicit TFormVelka(QWidget *padre = nullptr);

    // Creation sequence: port-I/O, configuration, terminal tables and links.
    void FormCreate();

    QTabWidget *PageControl1 = nullptr;
    QLabel *stPuerto = nullptr;
    QLabel *Velocidad = nullptr;
    QLineEdit *Edit2 = nullptr;
    QPushButton *AbrirPuerta = nullptr;
    QPushButton *BRecons = nullptr;
};

extern QPointer<TFormVelka> FormVelka;
