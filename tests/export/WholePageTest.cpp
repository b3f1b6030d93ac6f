#include "ExportFixture.h"

// One character with something in every section, and values beyond the usual range (a negative
// ability, a background and a path above their last dot, a Null discipline level, health states
// 0, Null and 7), against the page as it must be, byte for byte.
TEST_F(ExportFixture, WholePageOfOneCharacter) {
    exec("INSERT INTO DemeanorNature VALUES (2, 'Bravo'), (3, 'Loner'); INSERT INTO Clan VALUES (2, 'Veilborn');"
         "INSERT INTO Concept VALUES (2, 'Ferryman'); INSERT INTO BackGround_LookUp VALUES (1, 'Generation'), "
         "(2, 'Resources'); INSERT INTO BackGround_Link VALUES ($K, 1, 1), ($K, 2, 12);"
         "INSERT INTO Discipline_LookUp VALUES (1, 'Auspex'), (2, 'Fortitude');"
         "INSERT INTO Discipline_Link VALUES ($K, 1, 2), ($K, 2, NULL);"
         "INSERT INTO MeritFlaw_LookUp (MeritFlaw_ID, MeritFlaw) VALUES (1, 'Eidetic Memory'), (2, 'Nightmares');"
         "INSERT INTO MeritFlaw_Link VALUES ($K, 1, 1), ($K, 2, 1);"
         "INSERT INTO Path_LookUp VALUES (1, 'Path of Blood', 1), (2, 'Path of Bones', 2);"
         "INSERT INTO Path_Link VALUES ($K, 1, 3), ($K, 2, 11); INSERT INTO Ritual_Link VALUES ($K, 1), ($K, 2);"
         "INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec) VALUES (1, 'Ward of Salt', 2, 1), "
         "(2, 'Grave Whisper', 1, 2); UPDATE Health SET Health0 = 2, Health1 = 3, Health2 = 0, Health3 = NULL, "
         "Health4 = 7 WHERE Char_ID = $K");
    set("Chronicle = 'Ashen Vale', Nature = 2, Demeanor = 3, Clan = 2, Concept = 2, Generation = 12, "
        "Haven = 'Old mill', Strength = 3, Dexterity = 2, Stamina = 4, Charisma = 1, Manipulation = 2, "
        "Appearance = 3, Perception = 5, Intelligence = 2, Wits = 10, Alertness = 2, Brawl = 1, AnimalKen = 3, "
        "Stealth = 4, Academics = -2, Occult = 5, Science = 1, Conscience = 3, Conscience_Conviction = 1, "
        "SelfControl = 2, SelfControl_Instinct = 2, Courage = 7, Humanity = 7, WillPower = 5, Cur_WillPower = 4, "
        "BloodPool = 11, History = NULL, Picture = 'portrait.jpg', Notes = 'Owes a favour.' || char(13, 10) || "
        "'Trusts no one.'");
    // Each line here is one line of the page or several joined by '|'.
    const QString expected = expand(QString::fromUtf8(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2//EN">|<HTML>|<HEAD>
<TITLE>Ashen Vale: Mara Voss</TITLE>|</HEAD>|<BODY BGCOLOR=#ffffff>|<FONT COLOR=#000000>
<P ALIGN=CENTER> <FONT FACE="Abaddon™" SIZE=5> <B>Caldrenne</B></FONT>|<HR>|</P>
<TABLE FONT COLOR=#000000 ALIGN=CENTER WIDTH="95%">|<TR>|<TD>Name: <TD>Mara Voss|<TD>Nature: <TD>Bravo
<TD>Generation: <TD>12|<TR>|<TD>Player: <TD>Ann|<TD>Demeanor: <TD>Loner|<TD>Haven: <TD>Old mill
<TR>|<TD>Chronicle: <TD>Ashen Vale|<TD>Clan: <TD>Veilborn|<TD>Concept: <TD>Ferryman|</TABLE>|<HR>
<P ALIGN=CENTER> <FONT FACE="Abaddon™" SIZE=5> <B>Attributes</B></FONT>|<HR>|</P>|<TABLE ALIGN=CENTER WIDTH="75%">
<TR>|<TD ALIGN=CENTER><FONT FACE="Gaeilge 1" SIZE=2>Physical|<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"; Size = 2 > Social
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"; Size = 2 > Mental|</TABLE>|<TABLE ALIGN=CENTER WIDTH="75%">
<TR>|<TD>Strength {C3}{U7}</TD>|<TD>|<TD>Charisma {C1}{U9}</TD>|<TD>|<TD>Perception {C5}{U5}</TD>
<TR>|<TD>Dexterity {C2}{U8}</TD>|<TD>|<TD>Manipulation {C2}{U8}</TD>|<TD>|<TD>Intelligence {C2}{U8}</TD>
<TR>|<TD>Stamina {C4}{U6}</TD>|<TD>|<TD>Appearance {C3}{U7}</TD>|<TD>|<TD>Wits {C10}</TD>|</TABLE>|<BR><HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Abilities</B></FONT>|<HR></P>|<TABLE ALIGN=CENTER WIDTH="75%">
<TR>|<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"  SIZE=2> Talents|<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"  SIZE=2> Skills
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"  SIZE=2> Knowledge|</TABLE>|<TABLE ALIGN=CENTER WIDTH="75%">
<TR>|<TD>Alertness {C2}{U8}</TD>|<TD>|<TD>Animal Ken {C3}{U7}</TD>|<TD>|<TD>Academics {U12}</TD>
<TR>|<TD>Athletics {U10}</TD>|<TD>|<TD>Crafts {U10}</TD>|<TD>|<TD>Computer {U10}</TD>
<TR>|<TD>Brawl {C1}{U9}</TD>|<TD>|<TD>Drive {U10}</TD>|<TD>|<TD>Finance {U10}</TD>
<TR>|<TD>Dodge {U10}</TD>|<TD>|<TD>Etiquette {U10}</TD>|<TD>|<TD>Investigation {U10}</TD>
<TR>|<TD>Empathy {U10}</TD>|<TD>|<TD>Firearms {U10}</TD>|<TD>|<TD>Law {U10}</TD>|<TR>|<TD>Expression {U10}</TD>|<TD>
<TD>Melee {U10}</TD>|<TD>|<TD>Linguistics {U10}</TD>|<TR>|<TD>Intimidation {U10}</TD>|<TD>|<TD>Performance {U10}</TD>
<TD>|<TD>Medicine {U10}</TD>|<TR>|<TD>Leadership {U10}</TD>|<TD>|<TD>Security {U10}</TD>|<TD>|<TD>Occult {C5}{U5}</TD>
<TR>|<TD>Streetwise {U10}</TD>|<TD>|<TD>Stealth {C4}{U6}</TD>|<TD>|<TD>Politics {U10}</TD>
<TR>|<TD>Subterfuge {U10}</TD>|<TD>|<TD>Survival {U10}</TD>|<TD>|<TD>Science {C1}{U9}</TD>|</TABLE>|<BR>|<HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5> <B>Advantages</B></FONT>|<HR>|</P>|<TABLE ALIGN=CENTER WIDTH="85%">
<TR>|<TD ALIGN=CENTER WIDTH="30%"><FONT FACE="Gaeilge 1" SIZE=2>Backgrounds
<TD ALIGN=CENTER WIDTH="40%"><Font FACE="Gaeilge 1" Size=2> Disciplines
<TD ALIGN=CENTER WIDTH="30%"><Font FACE="Gaeilge 1" Size=2> Virtues|</TABLE>||<TABLE ALIGN=CENTER WIDTH="95%">
<TR>|<TD>Generation{C1}{U9}</TD>|<TD>|<TD>Auspex{C2}{U8}</TD>|<TD>|<TD>Conscience   {C3}{U2}</TD>
<TR>|<TD>Resources{C12}</TD>|<TD>|<TD>Fortitude{U10}</TD>|<TR>|<TD>________________{U10}</TD>|<TD>
<TD>________________{U10}</TD>|<TR>|<TD>________________{U10}</TD>|<TD>|<TD>________________{U10}</TD>|<TD>
<TD>Instinct   {C2}{U3}</TD>|<TR>|<TD>________________{U10}</TD>|<TD>|<TD>________________{U10}</TD>
<TR>|<TD>________________{U10}</TD>|<TD>|<TD>________________{U10}</TD>|<TR>|<TD>________________{U10}</TD>|<TD>
<TD>________________{U10}</TD>|<TD><TD>Courage         {C7}</TD>|</TABLE>|<BR>|<HR>
<TABLE ALIGN=CENTER WIDTH="75%" BORDER=0>|<TR>|<TD ALIGN=CENTER WIDTH="34%"><FONT FACE="Gaeilge 1" SIZE=2> Merits/Flaws
<TD ALIGN=CENTER WIDTH="33%"><FONT FACE="Gaeilge 1" SIZE=2> Humanity/Path
<TD ALIGN=CENTER WIDTH="33%"><FONT FACE="Gaeilge 1"  SIZE=2> Health|<TR>|<TD>|<TABLE BORDER=0>
 <TR><TD>Eidetic Memory| <TR><TD>Nightmares| <TR><TD>____________________| <TR><TD>____________________
 <TR><TD>____________________| <TR><TD>____________________| <TR><TD>____________________| </TABLE>| <TD>
 <TABLE BORDER=0>|  <TR><TD> Path______________|  <TABLE BORDER=0>|   <TR>|  <TABLE BORDER=0 WIDTH="100%">|{C7}{U3}</TD>
  </TABLE>|  <TR><TD><FONT FACE="Gaeilge 1" SIZE=2> Willpower|  <TABLE BORDER=0 WIDTH="100%">|{C5}{U5}</TD>
   <TR>|{X4}{O6}</TD>|  </TABLE>|  <TR><TD>|  <TR><TD><FONT FACE="Gaeilge 1" SIZE=2> Blood Pool
  <TABLE BORDER=0 WIDTH="100%">|{X1}|{X1}|{X1}|{X1}|{X1}|{X1}|{X1}|{X1}|{X1}|{X1}|</TD><TR>|{X1}|<TD>|  </TABLE>
 </TABLE>|<TD>| <TABLE BORDER=0>|  <TR>|  <TD> Bruised|  <TD>|  <TD> <IMG SRC="BOXCHECK.bmp" ALT="*">
  <TR>|  <TD> Hurt|  <TD> -1|  <TD> <IMG SRC="BOXX.bmp" ALT="*">|  <TR>|  <TD> Injured|  <TD> -1|
  <TR>|  <TD> Wounded|  <TD> -2||  <TR>|  <TD> Mauled|  <TD> -2||  <TR>|  <TD> Crippled|  <TD> -5
  <TD> <IMG SRC="BOX.bmp" ALT="*">|  <TR>|  <TD> Incapacitated|  <TD>|  <TD> <IMG SRC="BOX.bmp" ALT="*">| </TABLE>
</TABLE>|<BR><HR>|<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Thaumaturgy</B></FONT>|<HR></P>
<TABLE WIDTH="75%" ALIGN=CENTER>
<TR><TD><FONT FACE="Gaeilge 1" SIZE=2>  Paths |<TD><FONT FACE="Gaeilge 1" SIZE=2> Rituals</TD>
<TR><TD><TABLE>|<TR><TD>Path of Blood{C3}{U8}</TD>|</TABLE>|<TD><TABLE>|<TR><TD>Ward of Salt<TD>2|</TABLE></TABLE><BR>
<BR><HR>|<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Necromancy</B></FONT>|<HR></P>|<TABLE WIDTH="75%" ALIGN=CENTER>
<TR><TD><FONT FACE="Gaeilge 1" SIZE=2>  Paths |<TD><FONT FACE="Gaeilge 1" SIZE=2> Rituals</TD>
<TR><TD><TABLE>|<TR><TD>Path of Bones{C11}</TD>|</TABLE>|<TD><TABLE>|<TR><TD>Grave Whisper<TD>1|</TABLE></TABLE><BR>
<BR><HR>|<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Notes</B></FONT>|<HR></P>|Owes a favour.|Trusts no one.
<BR><HR>|<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Picture</B></FONT>|<HR></P>|<TABLE ALIGN=CENTER><TR><TD>
<IMG SRC="portrait.jpg" ALT="*" ALIGN=CENTER></TD></TABLE>|<P></P>
<P><FONT SIZE=1> This Web page was created by the Duskledger program. Contact it's creator at <A HREF="Mailto:$"> $</A></P>
</HTML>|)")
                                        .replace(QLatin1Char('\n'), QLatin1Char('|')))
                                 .replace(QLatin1Char('$'), exporter::kContactAddress);
    const QStringList want = expected.split("\r\n"), got = page().split("\r\n");
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i)
        ASSERT_EQ(got.value(i, "<end of page>"), want.value(i, "<end of page>")) << "line " << i + 1;
}
