#pragma once
// A bare panel carrying the clockings page and a terminal list CLBTerminales, as the control
// panel does, for driving the page without the links.
#include "platform/codepage.h"
#include "terminal/ui/paginafichajes.h"

#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <initializer_list>

class PanelPrueba : public QWidget, public TPaginaFichajes {
public:
    explicit PanelPrueba(std::initializer_list<const char *> terminales = {}) {
        auto *l = new QVBoxLayout(this);
        CLBTerminales = new QListWidget(this);
        CLBTerminales->setObjectName("CLBTerminales");
        l->addWidget(CLBTerminales);
        for (const char *t : terminales) {
            auto *item = new QListWidgetItem(aQ(t), CLBTerminales);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
        auto *pagina = new QWidget(this);
        l->addWidget(pagina);
        CreaPaginaFichajes(pagina);
    }
    std::vector<bool> Marcas() const {
        std::vector<bool> v;
        for (int i = 0; i < CLBTerminales->count(); ++i)
            v.push_back(CLBTerminales->item(i)->checkState() == Qt::Checked);
        return v;
    }
    QListWidget *CLBTerminales;
};
