#pragma once
// The login session: the users file as stored and deciphered, the company it names, and the level
// and rights of the user logged in. Filled at start-up (the users file, the login) and by the users
// editor; one record for the program.
#include <string>
#include <vector>

struct TSesion {
    int NivelUsuario = 0;                    // 1..6 once logged in; 0 before
    unsigned char PresenciaActiva = 0;       // the level lets the presence monitor refresh
    std::vector<std::string> ListaUsuarios;  // deciphered users-file fields, three per record
    std::vector<std::string> LineasUsuarios; // users-file lines as stored
    std::string NombreEmpresa;
    std::string ClaveUsuarios;
};

// The program's session.
TSesion &Sesion();
