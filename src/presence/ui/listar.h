#pragma once
// Selection windows of the presence and access listings: all employees (LB1), the company tree
// (TV1) to select whole groups, the chosen employees (LB2) and the listing options.
#include "presence/peticionpresencia.h"

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QGridLayout;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// What both windows share.
class TFormSeleccion : public QWidget {
    Q_OBJECT
public:
    explicit TFormSeleccion(QWidget *padre = nullptr);

    QListWidget *LB1 = nullptr;
    QTreeWidget *TV1 = nullptr;
    QPushButton *SpeedButton1 = nullptr; // "Añadir"
    QPushButton *SpeedButton2 = nullptr; // "Quitar"
    QListWidget *LB2 = nullptr;
    QPushButton *Button1 = nullptr; // "Listar"
    QPushButton *Button2 = nullptr; // "Cancelar"
    QGroupBox *GroupBox1 = nullptr; // "Tipo de listado"

    void FormActivate();
    void TV1Change();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void LB1DblClick() { SpeedButton1Click(); }
    void LB2DblClick() { SpeedButton2Click(); }
    virtual void Button1Click() = 0;
    void Button2Click();

    // Items of a list, in order (Windows-1252).
    static std::vector<std::string> Elementos(const QListWidget *lb);
    // Closing minimizes: the main window's action brings the window back.
    void Cierra();

protected:
    QGridLayout *Opciones = nullptr; // inside GroupBox1
    // The window was closed without listing ("Cancelar" or its close box).
    virtual void Cancelado() {}
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
};

class TFormListar : public TFormSeleccion {
    Q_OBJECT
public:
    explicit TFormListar(QWidget *padre = nullptr);

    QRadioButton *RadioButton1 = nullptr;  // "Detallado"
    QRadioButton *RadioButton3 = nullptr;  // "Simple"
    QRadioButton *RadioButton2 = nullptr;  // "Resumen"
    QCheckBox *CheckBox1 = nullptr;        // "Incluir Gráfico"
    QCheckBox *CheckIncidencias = nullptr; // "Parar si incidencia"

    // The request "Listar" hands over: chosen employees, options and the panel's period.
    PeticionPresencia Peticion() const;
    void Button1Click() override;

protected:
    // No incidences mode is left behind for the next listing.
    void Cancelado() override;
};

extern QPointer<TFormListar> FormListar;
