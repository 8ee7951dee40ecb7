#pragma once
// The six user levels: their texts, the level of a text and what each level may use.
#include <string>
#include <vector>

// Level texts, 32 characters each, blank-padded: TNivelUsuario[0] is level 1.
extern const char *const TNivelUsuario[6];

// Leading decimal integer of a level text (0 when it has none).
int NivelDeTexto(const std::string &texto);
// True when the text's level is more privileged than the operator's (a smaller number, not 0).
bool NivelProtegido(const std::string &texto, int nivelOperador);

// What a level keeps: the main window's actions that are disabled, the windows destroyed and
// the items of the users editor's level combo.
struct DerechosNivel {
    unsigned char PresenciaActiva = 0;
    std::vector<std::string> AccionesDesactivadas;
    std::vector<std::string> VentanasDestruidas;
    std::vector<std::string> ItemsNivel;
};
// Rights of levels 1 to 6; any other level gets none (the program ends for it).
DerechosNivel DerechosDe(int nivel);
