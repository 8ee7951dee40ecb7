#pragma once
// The start-up presence build of the master station, and the employees grid whose rows are the
// presence table's slots.
class StringGrid;
class TPaginaFichajes;

// FormEmpleados->SG1, or nullptr while that window does not exist.
const StringGrid *EmpleadosPresencia();

// Lists today's clockings of each employee of rows 1..30 on the panel and fills those rows of
// TablaPresencia and TablaPresenciaLeida: in with the entry time when the day ends with an entry,
// else out with the last exit (exit hour 100 when there was none).
void PresenciaInicio(TPaginaFichajes &panel, const StringGrid &empleados);
