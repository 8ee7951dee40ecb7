#pragma once
// The production window: the tree "produccion.org" of order types, their parts and tasks.
#include "masterdata/organizacion.h"

#include <QDialog>
#include <QPointer>

class QPushButton;
class QTreeWidget;

class TFormProduccion : public QDialog {
    Q_OBJECT
public:
    explicit TFormProduccion(QWidget *padre = nullptr);

    TArbolOrganizacion Arbol;

    QTreeWidget *TV1 = nullptr;
    QPushButton *SpeedButton1 = nullptr; // Nuevo
    QPushButton *SpeedButton2 = nullptr; // Eliminar
    QPushButton *SpeedButton3 = nullptr; // Guardar
    QPushButton *Button1 = nullptr;      // Deshacer
    QPushButton *bduplicar = nullptr;

    void FormCreate();
    void NGrupoClick();
    void SpeedButton2Click();
    bool SpeedButton3Click();
    void Button1Click();
    void bduplicarClick();
    void TV1DblClick();

private:
    bool ilegible_ = false; // the file exists but could not be read
};

extern QPointer<TFormProduccion> FormProduccion;
