#pragma once
// The employees grid whose rows are the presence table's slots.
class StringGrid;

// FormEmpleados->SG1, or nullptr while that window does not exist.
const StringGrid *EmpleadosPresencia();
