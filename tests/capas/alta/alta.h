#pragma once
// A header of the upper library of the layer check's cases.
int Alta();
