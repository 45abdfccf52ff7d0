# Judges the presses of one case of hotkey.sh from the record einfuegeziel.exe keeps (with the test's marks in
# it), a run of them at a time: a run goes from its mark "DRUCK <case> <n>" to the next mark of the test and holds
# `je` presses (default 1). What a run must leave, each as often as it has presses: the hotkey's main key down at
# the low-level hook (else wine lost or repeated the key), a Ctrl+V sent by the program (V down with the injected
# flag; fewer: the program lost a press, more: it doubled one), and an insertion into the edit that is a weight
# (fewer or more with the right number of Ctrl+V: the paste itself went wrong, between clipboard and edit). The
# time from each main key down to its weight in the text is printed, median and worst, the first press of each
# run apart from those that had to wait for a paste, and not judged beyond a generous bound.
#   awk -v fall=ID -v name=TEXT -v vk=HEX -v anzahl=RUNS [-v je=N] [-v eigenes=1] -f hotkey.awk RECORD
# eigenes=1: the key types a character of its own into the edit besides (AltGr+Y on X's German layout).

function hex(s,    i, n) {
    n = 0
    s = toupper(s)
    for (i = 1; i <= length(s); i++)
        n = n * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1
    return n
}

function wert(schluessel,    i) {
    for (i = 3; i <= NF; i++)
        if (index($i, schluessel "=") == 1)
            return substr($i, length(schluessel) + 2)
    return ""
}

# Whether bit (a power of two) is set in n; mawk has no bit operators.
function bit(n, b) {
    return int(n / b) % 2 == 1
}

# What the change from alt to neu put in, as the longest common start and end leave it; sets entfernt to the
# number of characters that went.
function eingefuegt(alt, neu,    la, ln, p, s) {
    la = length(alt)
    ln = length(neu)
    p = 0
    while (p < la && p < ln && substr(alt, p + 1, 1) == substr(neu, p + 1, 1))
        p++
    s = 0
    while (s < la - p && s < ln - p && substr(alt, la - s, 1) == substr(neu, ln - s, 1))
        s++
    entfernt = la - p - s
    return substr(neu, p + 1, ln - p - s)
}

function beginnen(nummer) {
    offen = 1
    nr = nummer
    ab = 0; strg_v = 0; gewichte = 0; eigene = 0; fremd = ""; ersetzt = 0
    menue = 0; inaktiv = 0
    delete t_ab; delete t_auf; delete t_text
    laeufe++
}

function melden(text) {
    printf "FEHLER: %s, %s %d: %s\n", name, (je > 1 ? "Folge" : "Druck"), nr, text
    fehler++
}

function abschliessen(    k, gehalten, vorher) {
    if (!offen)
        return
    offen = 0
    vorher = fehler
    if (ab != je) {
        melden(ab == 0 ? "wine meldete die Taste nicht (der Tastaturhaken sah sie nicht herunterkommen)" \
                       : "wine meldete die Taste " ab "-mal herunter statt " je "-mal")
    } else if (strg_v != je) {
        melden("das Programm schickte " (strg_v == 0 ? "kein" : strg_v "-mal") " Strg+V" \
               (je > 1 ? " für " je " Drücke" : "") (strg_v < je ? " (Druck verloren)" : " (Druck verdoppelt)"))
    } else if (gewichte != je) {
        melden(je "-mal Strg+V, aber " gewichte " Gewichte im Text" \
               (gewichte < je ? " (nichts aus der Zwischenablage)" : ""))
    }
    if (fremd != "")
        melden("fremder Text eingefügt: \"" fremd "\"")
    if (ersetzt)
        melden("Text des Ziels überschrieben statt ergänzt")
    if (eigenes && eigene > je)
        melden(eigene " Zeichen der Taste selbst statt höchstens " je)
    if (menue > 0)
        melden("das Menü des Ziels blieb offen (ein einzelnes Alt kam an)")
    if (inaktiv)
        melden("das Ziel verlor den Vordergrund")
    for (k = 1; k <= ab; k++) {
        if (!(k in t_auf))
            continue
        gehalten = (t_auf[k] - t_ab[k]) / 1000
        halten[++gemessen_h] = gehalten
        # Past the repeat delay a second weight would be right; the press was not what the case asks for.
        if (gehalten >= 450)
            melden(sprintf("%.0f ms gehalten statt kurz (Rechner überlastet?)", gehalten))
    }
    for (k = 1; k <= ab && k <= gewichte; k++) {
        if (t_text[k] < t_ab[k])
            melden("ein Gewicht stand im Text, bevor seine Taste herunterkam")
        else if (k == 1)
            zeiten[++gemessen] = (t_text[k] - t_ab[k]) / 1000
        else
            wartend[++gewartet] = (t_text[k] - t_ab[k]) / 1000
    }
    if (fehler == vorher)
        richtig += je
}

function sortieren(a, n,    i, j, x) {
    for (i = 2; i <= n; i++) {
        x = a[i]
        for (j = i - 1; j >= 1 && a[j] > x; j--)
            a[j + 1] = a[j]
        a[j + 1] = x
    }
}

BEGIN {
    haupt = hex(vk)
    if (je < 1)
        je = 1
    text = ""
}

# The test's marks close the run before; its own mark opens the next.
$2 == "DRUCK" || $2 == "START" || $2 == "STOPP" || $2 == "KONTROLLE" {
    abschliessen()
    if ($2 == "DRUCK" && $3 == fall)
        beginnen($4)
    next
}

$2 == "TEXT" {
    neu = substr($0, index($0, " TEXT") + 6)
    stueck = eingefuegt(text, neu)
    text = neu
    if (!offen)
        next
    if (entfernt > 0)
        ersetzt = 1
    if (stueck ~ /^-?[0-9]+,[0-9]+$/) {
        t_text[++gewichte] = $1
        if (beispiel == "")
            beispiel = stueck
    } else if (eigenes && length(stueck) <= 4) {
        eigene++
    } else if (stueck != "") {
        fremd = fremd stueck
    }
    next
}

!offen { next }

$2 == "TASTE" {
    taste = hex(wert("vk"))
    flags = hex(wert("flags"))
    # 0x10: injected, that is the program's own keys (SendInput); the operator's come from X.
    if (bit(flags, 16)) {
        if ($3 == "v" && taste == 86)
            strg_v++
    } else if (taste == haupt && $3 == "v") {
        t_ab[++ab] = $1
    } else if (taste == haupt && $3 == "^" && ab > 0 && !(ab in t_auf)) {
        t_auf[ab] = $1
    }
    next
}

$2 == "MENUE" { menue += $3 == "auf" ? 1 : -1; next }
$2 == "INAKTIV" { inaktiv = 1; next }

END {
    abschliessen()
    if (laeufe != anzahl) {
        printf "FEHLER: %s: %d %s im Protokoll statt %d\n", name, laeufe, (je > 1 ? "Folgen" : "Drücke"), anzahl
        fehler++
    }
    sortieren(zeiten, gemessen)
    sortieren(halten, gemessen_h)
    if (gemessen > 0) {
        median = zeiten[int(gemessen / 2) + 1]
        schlechtester = zeiten[gemessen]
        printf "%s: %d Drücke, %d mit genau einem Gewicht (etwa \"%s\"), gehalten im Median %.0f ms; " \
               "Taste bis Text: Median %.1f ms, schlechtester %.1f ms\n", name, laeufe * je, richtig, beispiel,
               halten[int(gemessen_h / 2) + 1], median, schlechtester
        printf "HOTKEY_LATENZ fall=%s n=%d median_ms=%.1f max_ms=%.1f\n", fall, gemessen, median, schlechtester
        # A sanity bound only: a paste a second after its key is no paste at the press any more.
        if (schlechtester > 1000) {
            printf "FEHLER: %s: %.0f ms von der Taste bis zum Text\n", name, schlechtester
            fehler++
        }
    } else {
        printf "%s: %d Drücke, kein Gewicht angekommen\n", name, laeufe * je
    }
    if (gewartet > 0) {
        sortieren(wartend, gewartet)
        printf "%s: die Drücke während eines Einfügens warten darauf; ihre Taste bis Text: Median %.1f ms, " \
               "schlechtester %.1f ms\n", name, wartend[int(gewartet / 2) + 1], wartend[gewartet]
        # The paste before holds the clipboard a second at most, then this one follows at once.
        if (wartend[gewartet] > 2000) {
            printf "FEHLER: %s: %.0f ms von der Taste bis zum Text, auch mit Warten\n", name, wartend[gewartet]
            fehler++
        }
    }
    exit fehler > 0
}
