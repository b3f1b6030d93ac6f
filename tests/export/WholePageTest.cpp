#include "ExportFixture.h"

// One character with something in every section, against the page written out by hand.
TEST_F(ExportFixture, WholePageOfOneCharacter) {
    const qint64 bravo = lookup(QStringLiteral("DemeanorNature"), QStringLiteral("DemNat"), QStringLiteral("'Bravo'"));
    const qint64 loner = lookup(QStringLiteral("DemeanorNature"), QStringLiteral("DemNat"), QStringLiteral("'Loner'"));
    const qint64 clan = lookup(QStringLiteral("Clan"), QStringLiteral("Clan"), QStringLiteral("'Veilborn'"));
    const qint64 ferryman = lookup(QStringLiteral("Concept"), QStringLiteral("Concept"), QStringLiteral("'Ferryman'"));
    set(QStringLiteral("Chronicle = 'Ashen Vale', Nature = %1, Demeanor = %2, Clan = %3, Concept = %4, "
                       "Generation = 12, Haven = 'Old mill', "
                       "Strength = 3, Dexterity = 2, Stamina = 4, Charisma = 1, Manipulation = 2, Appearance = 3, "
                       "Perception = 5, Intelligence = 2, Wits = 10, Alertness = 2, Brawl = 1, AnimalKen = 3, "
                       "Stealth = 4, Occult = 5, Science = 1, Conscience = 3, Conscience_Conviction = 1, "
                       "SelfControl = 2, SelfControl_Instinct = 2, Courage = 4, Humanity = 7, WillPower = 5, "
                       "Cur_WillPower = 4, BloodPool = 11, Notes = 'Owes a favour.' || char(13, 10) || "
                       "'Trusts no one.', History = NULL, Picture = 'portrait.jpg'")
            .arg(bravo)
            .arg(loner)
            .arg(clan)
            .arg(ferryman));
    temp.exec(QStringLiteral("UPDATE Health SET Health0 = 2, Health1 = 3 WHERE Char_ID = %1").arg(key));
    addBackground(QStringLiteral("Generation"), QStringLiteral("1"));
    addBackground(QStringLiteral("Resources"), QStringLiteral("2"));
    addDiscipline(QStringLiteral("Auspex"), QStringLiteral("2"));
    addDiscipline(QStringLiteral("Fortitude"), QStringLiteral("1"));
    addMerit(QStringLiteral("Eidetic Memory"));
    addMerit(QStringLiteral("Nightmares"));
    addPath(QStringLiteral("Path of Blood"), 1, QStringLiteral("3"));
    addRitual(QStringLiteral("Ward of Salt"), 1, QStringLiteral("2"));
    addRitual(QStringLiteral("Grave Whisper"), 2, QStringLiteral("1"));

    const QString expected = expandCells(QString::fromUtf8(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2//EN">
<HTML>
<HEAD>
<TITLE>Ashen Vale: Mara Voss</TITLE>
</HEAD>
<BODY BGCOLOR=#ffffff>
<FONT COLOR=#000000>
<P ALIGN=CENTER> <FONT FACE="Abaddon™" SIZE=5> <B>Caldrenne</B></FONT>
<HR>
</P>
<TABLE FONT COLOR=#000000 ALIGN=CENTER WIDTH="95%">
<TR>
<TD>Name: <TD>Mara Voss
<TD>Nature: <TD>Bravo
<TD>Generation: <TD>12
<TR>
<TD>Player: <TD>Ann
<TD>Demeanor: <TD>Loner
<TD>Haven: <TD>Old mill
<TR>
<TD>Chronicle: <TD>Ashen Vale
<TD>Clan: <TD>Veilborn
<TD>Concept: <TD>Ferryman
</TABLE>
<HR>
<P ALIGN=CENTER> <FONT FACE="Abaddon™" SIZE=5> <B>Attributes</B></FONT>
<HR>
</P>
<TABLE ALIGN=CENTER WIDTH="75%">
<TR>
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1" SIZE=2>Physical
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"; Size = 2 > Social
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"; Size = 2 > Mental
</TABLE>
<TABLE ALIGN=CENTER WIDTH="75%">
<TR>
<TD>Strength {C3U7}</TD>
<TD>
<TD>Charisma {C1U9}</TD>
<TD>
<TD>Perception {C5U5}</TD>
<TR>
<TD>Dexterity {C2U8}</TD>
<TD>
<TD>Manipulation {C2U8}</TD>
<TD>
<TD>Intelligence {C2U8}</TD>
<TR>
<TD>Stamina {C4U6}</TD>
<TD>
<TD>Appearance {C3U7}</TD>
<TD>
<TD>Wits {C10}</TD>
</TABLE>
<BR><HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Abilities</B></FONT>
<HR></P>
<TABLE ALIGN=CENTER WIDTH="75%">
<TR>
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"  SIZE=2> Talents
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"  SIZE=2> Skills
<TD ALIGN=CENTER><FONT FACE="Gaeilge 1"  SIZE=2> Knowledge
</TABLE>
<TABLE ALIGN=CENTER WIDTH="75%">
<TR>
<TD>Alertness {C2U8}</TD>
<TD>
<TD>Animal Ken {C3U7}</TD>
<TD>
<TD>Academics {U10}</TD>
<TR>
<TD>Athletics {U10}</TD>
<TD>
<TD>Crafts {U10}</TD>
<TD>
<TD>Computer {U10}</TD>
<TR>
<TD>Brawl {C1U9}</TD>
<TD>
<TD>Drive {U10}</TD>
<TD>
<TD>Finance {U10}</TD>
<TR>
<TD>Dodge {U10}</TD>
<TD>
<TD>Etiquette {U10}</TD>
<TD>
<TD>Investigation {U10}</TD>
<TR>
<TD>Empathy {U10}</TD>
<TD>
<TD>Firearms {U10}</TD>
<TD>
<TD>Law {U10}</TD>
<TR>
<TD>Expression {U10}</TD>
<TD>
<TD>Melee {U10}</TD>
<TD>
<TD>Linguistics {U10}</TD>
<TR>
<TD>Intimidation {U10}</TD>
<TD>
<TD>Performance {U10}</TD>
<TD>
<TD>Medicine {U10}</TD>
<TR>
<TD>Leadership {U10}</TD>
<TD>
<TD>Security {U10}</TD>
<TD>
<TD>Occult {C5U5}</TD>
<TR>
<TD>Streetwise {U10}</TD>
<TD>
<TD>Stealth {C4U6}</TD>
<TD>
<TD>Politics {U10}</TD>
<TR>
<TD>Subterfuge {U10}</TD>
<TD>
<TD>Survival {U10}</TD>
<TD>
<TD>Science {C1U9}</TD>
</TABLE>
<BR>
<HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5> <B>Advantages</B></FONT>
<HR>
</P>
<TABLE ALIGN=CENTER WIDTH="85%">
<TR>
<TD ALIGN=CENTER WIDTH="30%"><FONT FACE="Gaeilge 1" SIZE=2>Backgrounds
<TD ALIGN=CENTER WIDTH="40%"><Font FACE="Gaeilge 1" Size=2> Disciplines
<TD ALIGN=CENTER WIDTH="30%"><Font FACE="Gaeilge 1" Size=2> Virtues
</TABLE>

<TABLE ALIGN=CENTER WIDTH="95%">
<TR>
<TD>Generation{C1U9}</TD>
<TD>
<TD>Auspex{C2U8}</TD>
<TD>
<TD>Conscience   {C3U2}</TD>
<TR>
<TD>Resources{C2U8}</TD>
<TD>
<TD>Fortitude{C1U9}</TD>
<TR>
<TD>________________{U10}</TD>
<TD>
<TD>________________{U10}</TD>
<TR>
<TD>________________{U10}</TD>
<TD>
<TD>________________{U10}</TD>
<TD>
<TD>Instinct   {C2U3}</TD>
<TR>
<TD>________________{U10}</TD>
<TD>
<TD>________________{U10}</TD>
<TR>
<TD>________________{U10}</TD>
<TD>
<TD>________________{U10}</TD>
<TR>
<TD>________________{U10}</TD>
<TD>
<TD>________________{U10}</TD>
<TD><TD>Courage         {C4U1}</TD>
</TABLE>
<BR>
<HR>
<TABLE ALIGN=CENTER WIDTH="75%" BORDER=0>
<TR>
<TD ALIGN=CENTER WIDTH="34%"><FONT FACE="Gaeilge 1" SIZE=2> Merits/Flaws
<TD ALIGN=CENTER WIDTH="33%"><FONT FACE="Gaeilge 1" SIZE=2> Humanity/Path
<TD ALIGN=CENTER WIDTH="33%"><FONT FACE="Gaeilge 1"  SIZE=2> Health
<TR>
<TD>
<TABLE BORDER=0>
 <TR><TD>Eidetic Memory
 <TR><TD>Nightmares
 <TR><TD>____________________
 <TR><TD>____________________
 <TR><TD>____________________
 <TR><TD>____________________
 <TR><TD>____________________
 </TABLE>
 <TD>
 <TABLE BORDER=0>
  <TR><TD> Path______________
  <TABLE BORDER=0>
   <TR>
  <TABLE BORDER=0 WIDTH="100%">
{C7U3}</TD>
  </TABLE>
  <TR><TD><FONT FACE="Gaeilge 1" SIZE=2> Willpower
  <TABLE BORDER=0 WIDTH="100%">
{C5U5}</TD>
   <TR>
{X4O6}</TD>
  </TABLE>
  <TR><TD>
  <TR><TD><FONT FACE="Gaeilge 1" SIZE=2> Blood Pool
  <TABLE BORDER=0 WIDTH="100%">
{X1}
{X1}
{X1}
{X1}
{X1}
{X1}
{X1}
{X1}
{X1}
{X1}
</TD><TR>
{X1}
<TD>
  </TABLE>
 </TABLE>
<TD>
 <TABLE BORDER=0>
  <TR>
  <TD> Bruised
  <TD>
  <TD> <IMG SRC="BOXCHECK.bmp" ALT="*">
  <TR>
  <TD> Hurt
  <TD> -1
  <TD> <IMG SRC="BOXX.bmp" ALT="*">
  <TR>
  <TD> Injured
  <TD> -1
  <TD> <IMG SRC="BOX.bmp" ALT="*">
  <TR>
  <TD> Wounded
  <TD> -2
  <TD> <IMG SRC="BOX.bmp" ALT="*">
  <TR>
  <TD> Mauled
  <TD> -2
  <TD> <IMG SRC="BOX.bmp" ALT="*">
  <TR>
  <TD> Crippled
  <TD> -5
  <TD> <IMG SRC="BOX.bmp" ALT="*">
  <TR>
  <TD> Incapacitated
  <TD>
  <TD> <IMG SRC="BOX.bmp" ALT="*">
 </TABLE>
</TABLE>
<BR><HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Thaumaturgy</B></FONT>
<HR></P>
<TABLE WIDTH="75%" ALIGN=CENTER>
<TR><TD><FONT FACE="Gaeilge 1" SIZE=2>  Paths{_}
<TD><FONT FACE="Gaeilge 1" SIZE=2> Rituals</TD>
<TR><TD><TABLE>
<TR><TD>Path of Blood{C3U8}</TD>
</TABLE>
<TD><TABLE>
<TR><TD>Ward of Salt<TD>2
</TABLE></TABLE><BR>
<BR><HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Necromancy</B></FONT>
<HR></P>
<TABLE WIDTH="75%" ALIGN=CENTER>
<TR><TD><FONT FACE="Gaeilge 1" SIZE=2>  Paths{_}
<TD><FONT FACE="Gaeilge 1" SIZE=2> Rituals</TD>
<TR><TD><TABLE>
</TABLE>
<TD><TABLE>
<TR><TD>Grave Whisper<TD>1
</TABLE></TABLE><BR>
<BR><HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Notes</B></FONT>
<HR></P>
Owes a favour.
Trusts no one.
<BR><HR>
<P ALIGN=CENTER><FONT FACE="Abaddon™" SIZE=5><B>Picture</B></FONT>
<HR></P>
<TABLE ALIGN=CENTER><TR><TD>
<IMG SRC="portrait.jpg" ALT="*" ALIGN=CENTER></TD></TABLE>
<P></P>
<P><FONT SIZE=1> This Web page was created by the Duskledger program. Contact it's creator at <A HREF="Mailto:{ADDR}"> {ADDR}</A></P>
</HTML>)"))
                                 .replace(QStringLiteral("{ADDR}"), exporter::kContactAddress);

    const QStringList want = expected.split(QLatin1Char('\n'));
    const QStringList got = lines();
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i)
        ASSERT_EQ(got.value(i, QStringLiteral("<end of page>")), want.value(i, QStringLiteral("<end of page>")))
            << "line " << i + 1;
}
