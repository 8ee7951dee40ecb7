// The incidence editor's listing, shown in a document window.
#include "common/globales.h"
#include "frame/documento.h"
#include "platform/codepage.h"
#include "platform/informe.h"
#include "presence/ui/incidenciased.h"
#include "presence/ui/incidenciasprueba.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(FormEditaIncidencias, ListarCierraYListaConLasCajasYLasFechas) {
    Entorno e;
    TFormEditaIncidencias f;
    FechaFichaje = QDateTime(QDate(2011, 3, 1), QTime(0, 0));
    f.show();
    f.DT2->setDate(QDate(2011, 3, 5));
    f.CB1->setEditText("7 Dure");
    FijaVisorInformes([](const TInformeRTF &informe) { MuestraInforme(informe); });
    f.ListarInClick();
    FijaVisorInformes(nullptr);
    EXPECT_FALSE(f.isVisible());
    std::vector<TMDIChild *> docs;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *d = qobject_cast<TMDIChild *>(w))
            docs.push_back(d);
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(deQ(docs[0]->Memo1()->toPlainText()),
              "Listado de incidencias de 7 Dure desde 01/03/2011 hasta 05/03/2011 \n\n\n"
              "Fecha\t\tIncidencia\t\t\tTiempo justificado\n\n"
              "02/03/2011\t3 Vacaciones *Empresa\t\tTodo el dia");
    EXPECT_FALSE(docs[0]->BotonRec->isEnabled());
    delete docs[0];
}
