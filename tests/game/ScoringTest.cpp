#include "game/Scoring.h"

#include <gtest/gtest.h>

namespace {

void ExpectScore(const char *secret, const char *guess, int inPlace, int elsewhere)
{
    const TPunteggio p = ValutaPunteggio(secret, guess);
    EXPECT_EQ(p.Esatte, inPlace) << secret << " / " << guess;
    EXPECT_EQ(p.Spostate, elsewhere) << secret << " / " << guess;
}

} // namespace

TEST(Scoring, CountsEachLetterOnce)
{
    ExpectScore("arte", "tara", 0, 3);
    ExpectScore("cassa", "sacca", 2, 2);
    ExpectScore("cassa", "cassa", 5, 0);
    // A letter guessed more often than the secret holds it counts as often
    // as the secret holds it.
    ExpectScore("pane", "aaaa", 1, 0);
    ExpectScore("pane", "naaa", 1, 1);
    ExpectScore("pane", "anaa", 0, 2);
    ExpectScore("mamma", "ammam", 1, 4);
    ExpectScore("luce", "gatt", 0, 0);
    // A secret letter used in place is not used again elsewhere.
    ExpectScore("abba", "bbbb", 2, 0);
}

TEST(Scoring, ValidationAndLowerCase)
{
    EXPECT_EQ(LowerCase("CaSa\xC8Z1"), "casa\xC8z1");
    EXPECT_TRUE(ParolaValida("casa", 4));
    EXPECT_FALSE(ParolaValida("casa", 5));
    EXPECT_FALSE(ParolaValida("", 4));
    EXPECT_FALSE(ParolaValida("cas\xE8", 4));
    EXPECT_FALSE(ParolaValida("ca a", 4));
    EXPECT_FALSE(ParolaValida("cas1", 4));
    EXPECT_FALSE(ParolaValida("Casa", 4));
    EXPECT_FALSE(ParolaValida("cas{", 4));
}

TEST(Scoring, RowsByteForByte)
{
    EXPECT_EQ(RigaRisultato("sacca", 2, 2),
              "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B>"
              "<FONT FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">sacca</FONT></B></td><td><B>"
              "<repeat count=2><img src=\"im1.bmp\"></repeat>"
              "<repeat count=2><img src=\"im2.bmp\"></repeat></B></td></tr></table>");
    EXPECT_EQ(RigaRisultato("luce", 0, 0),
              "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B>"
              "<FONT FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">luce</FONT></B></td><td><B>"
              "</B></td></tr></table>");
    EXPECT_EQ(RigaRisultato("tara", 0, 3),
              "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B>"
              "<FONT FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">tara</FONT></B></td><td><B>"
              "<repeat count=3><img src=\"im2.bmp\"></repeat></B></td></tr></table>");
    EXPECT_EQ(RigaRisultato("cassa", 5, 0),
              "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B>"
              "<FONT FACE=\"verdana\" SIZE=\"3\" COLOR=\"#440000\">cassa</FONT></B></td><td><B>"
              "<repeat count=5><img src=\"im1.bmp\"></repeat></B></td></tr></table>");
    EXPECT_STREQ(RigaIntestazione,
                 "<table border=\"0\"><tr><td width=\"30\">&nbsp;</td><td><B>PaRoLe</B></td>"
                 "<td><B>RiSuLtAti</B></td></tr></table>");
}

TEST(Scoring, DescrizioneSpeaksTheScoreInWords)
{
    EXPECT_EQ(DescrizioneRisultato("casse", 2, 2),
              "casse: 2 lettere al posto giusto, 2 fuori posto");
    EXPECT_EQ(DescrizioneRisultato("casse", 1, 1),
              "casse: 1 lettera al posto giusto, 1 fuori posto");
    EXPECT_EQ(DescrizioneRisultato("casse", 0, 1), "casse: 1 lettera fuori posto");
    EXPECT_EQ(DescrizioneRisultato("casse", 0, 3), "casse: 3 lettere fuori posto");
    EXPECT_EQ(DescrizioneRisultato("casse", 0, 0), "casse: nessuna lettera trovata");
}
