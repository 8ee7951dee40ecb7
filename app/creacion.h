#pragma once
// The composition root: installs what the lower layers ask of the upper ones (dialogs, the main
// window's frame, the report viewer, the presence employees), then creates every single-instance
// window once, in the fixed order, and registers it.
void CreaVentanas();
