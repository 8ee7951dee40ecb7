#pragma once
// Creates every single-instance window once, in the fixed order, and registers it.
void CreaVentanas();
