#pragma once
// The presence listing's inputs from the windows: the master-data grids, the control panel's
// terminals and last columns, the incidence editor and the opening of documents, handed to the
// presence run (presence/ejecucionpresencia.h).
#include "presence/peticionpresencia.h"

// "Listar" of the presence selection window: the whole run.
void ImprimePre1Execute(const PeticionPresencia &p);
// Makes "Listar" run the presence listing.
void RegistraListadoPresencia();
