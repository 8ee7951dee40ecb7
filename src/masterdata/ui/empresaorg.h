#pragma once
// The company window: the tree "empresa.org" of groups and employees, and the names of the
// company user list "empresa.min" to place in it.
#include "masterdata/organizacion.h"

#include <QDialog>
#include <QPointer>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class QTreeWidget;

class TFormEmpresa : public QDialog {
    Q_OBJECT
public:
    explicit TFormEmpresa(QWidget *padre = nullptr);

    TArbolOrganizacion Arbol;
    std::vector<std::string> ListaEmpresa; // the texts shown in LB1

    QTreeWidget *TV1 = nullptr;
    QListWidget *LB1 = nullptr;
    QPushButton *SpeedButton1 = nullptr; // Nuevo
    QPushButton *SpeedButton2 = nullptr; // Eliminar
    QPushButton *botonrec = nullptr;     // Guardar
    QPushButton *Button4 = nullptr;      // Deshacer
    QPushButton *SpeedButton3 = nullptr; // Usuarios de Rondal

    void FormCreate();
    void FormActivate();
    void NGrupoClick();
    void SpeedButton2Click();
    bool botonrecClick();
    void Button4Click();
    void SpeedButton3Click();
    void LB1DblClick();

protected:
    bool event(QEvent *e) override;

private:
    void resalta();
    bool ilegible_ = false; // the file exists but could not be read
};

extern QPointer<TFormEmpresa> FormEmpresa;
