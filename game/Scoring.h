#pragma once

#include <string>

// Checking and scoring guesses, and the markup rows of the results list.

// Every byte from 'A' to 'Z' becomes its lower-case letter; other bytes,
// accented letters included, stay as they are.
std::string LowerCase(const std::string &text);

// True when the guess has `length` bytes, all of them from 'a' to 'z'.
bool ParolaValida(const std::string &guess, int length);

struct TPunteggio {
    int Esatte = 0;   // letters in the right place
    int Spostate = 0; // further letters found in another place
};

// Scores a guess against the secret word: first the letters in place, then,
// for each remaining guess letter, the first unused equal letter of the
// secret.  Each letter of either word counts at most once.
TPunteggio ValutaPunteggio(const std::string &parola, const std::string &guess);

// The markup row of a scored guess: the guess in bold dark red, then one
// picture per letter in place and one per letter elsewhere.
std::string RigaRisultato(const std::string &guess, int esatte, int spostate);

// The fixed header row shown above the results.
extern const char *const RigaIntestazione;

// What a screen reader says for a result row in place of its markup:
// "casse: 2 lettere al posto giusto, 2 fuori posto", "casse: nessuna lettera
// trovata".
std::string DescrizioneRisultato(const std::string &guess, int esatte, int spostate);
// The same for the header row.
extern const char *const DescrizioneIntestazione;
