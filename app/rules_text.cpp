#include "app/app.h"
#include "platform/platform.h"

// The rules box: each line ends with a carriage return, and line 12 with two, which
// leaves an empty line before the keys.
std::string RulesText() {
    static constexpr const char* Lines[] = {
        "       Il faut assembler des éléments formés de carrés,\r",
        "de telle façon à obtenir des lignes pleines. Chaque ligne\r",
        "pleine disparaît et vous donne des points :\r",
        "     - une ligne      10 points\r",
        "     - deux lignes   25 points\r",
        "     - trois lignes    45 points\r",
        "     - quatre lignes 70 points\r",
        "En mode sprint il faut obtenir 500 points.\r",
        "En mode endurance il faut obtenir 5000 points.\r",
        "Ceux qui auront fait cela le plus rapidement possible\r",
        "entreront dans le classement. Le but étant d'être\r",
        " le plus rapide...\r\r",
        " - flèche haut      : rotation\r",
        " - flèche droite    : décalage à droite\r",
        " - flèche gauche  : décalage à gauche\r",
        " - flèche bas       : chute\r",
    };
    std::string text;
    for (const char* line : Lines) {
        text += Windows1252(line);
    }
    return text;
}
