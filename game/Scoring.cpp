#include "game/Scoring.h"

#include <algorithm>

namespace {
constexpr char Used = '.';
}

const char *const RigaIntestazione =
    "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B>PaRoLe</B></td>"
    "<td><B>RiSuLtAti</B></td></tr></table>";

std::string LowerCase(const std::string &text)
{
    std::string result = text;
    for (char &c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return result;
}

bool ParolaValida(const std::string &guess, int length)
{
    return length >= 0 && guess.size() == static_cast<std::size_t>(length) &&
           std::all_of(guess.begin(), guess.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

TPunteggio ValutaPunteggio(const std::string &parola, const std::string &guess)
{
    TPunteggio p;
    std::string secret = parola;
    std::string tried = guess;
    const std::size_t n = std::min(secret.size(), tried.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (parola[i] == guess[i]) {
            ++p.Esatte;
            secret[i] = Used;
            tried[i] = Used;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (tried[i] == Used)
            continue;
        const auto at = secret.find(tried[i]);
        if (at != std::string::npos && at < n) {
            ++p.Spostate;
            secret[at] = Used;
        }
    }
    return p;
}

std::string RigaRisultato(const std::string &guess, int esatte, int spostate)
{
    std::string row = "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B>"
                      "<FONT FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">";
    row += guess;
    row += "</FONT></B></td><td><B>";
    if (esatte > 0)
        row += "<repeat count=" + std::to_string(esatte) + "><img src=\"im1.bmp\"></repeat>";
    if (spostate > 0)
        row += "<repeat count=" + std::to_string(spostate) + "><img src=\"im2.bmp\"></repeat>";
    row += "</B></td></tr></table>";
    return row;
}

std::string DescrizioneRisultato(const std::string &guess, int esatte, int spostate)
{
    std::string text = guess + ": ";
    if (esatte == 0 && spostate == 0)
        return text + "nessuna lettera trovata";
    const auto lettere = [](int n) {
        return std::to_string(n) + (n == 1 ? " lettera" : " lettere");
    };
    if (esatte > 0)
        text += lettere(esatte) + " al posto giusto";
    if (esatte > 0 && spostate > 0)
        text += ", " + std::to_string(spostate) + " fuori posto";
    else if (spostate > 0)
        text += lettere(spostate) + " fuori posto";
    return text;
}

const char *const DescrizioneIntestazione = "Parole e risultati";
