#pragma once
// A header of the lower library of the layer check's cases.
int Baja();
