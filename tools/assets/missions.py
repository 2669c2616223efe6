# The campaign's missions as readable maps. make_text.py turns each into a Windows-1250 ".tlm" file.
#
# Map legend: the terrain characters of the mission format ('.' natural ground, '^' deep snow,
# '_' bare ground, '#' trees and rocks, '~' water, '/' ice, ',' yellow snow), plus units, which stand
# on deep snow so they can throw from the first second (the player's on `player_under` if given):
# b g c are the player's boy, girl and child, B G C the computer's. An entry of `buried` names a
# unit by its column and row.

MISSIONS = [
    {
        "file": "01 Pierwsze kroki",
        "rect": (23, 1, 6, 4),
        "player_under": "_",
        "map": """
################################
#....##...............^^^^^^^^.#
#....##...............^^^^^^^^.#
#..##.............##..^^^^^^^^.#
#..##.....~~~.....##..^^^^^^^^.#
#........~~~~~.................#
#.........~~...................#
#................////..........#
#...............//////.....##..#
#...............//////.....##..#
#................////..........#
#......^^^^....................#
#......^^^^...^^^^^............#
#______^^^^...^^C^^.....##.....#
#________.....^^^^^.....##.....#
#________......................#
#____g___............##........#
#__b_____...###......##........#
#________...###................#
################################
""",
        "solution": {
            "comment": "Both children walk round the pond to the snowy clearing, out of the lone enemy's reach.",
            "orders": [(0, ["select 2", "go 2 25 3", "go 1 26 3"])],
        },
        "text": """Cel: doprowadź choć jedno dziecko na śnieżną polanę w prawym górnym rogu mapy.

Kliknij dziecko lewym przyciskiem, aby je wybrać. Naciśnij G i wskaż miejsce albo po prostu kliknij ziemię prawym przyciskiem - dziecko tam pójdzie. S zatrzymuje je w miejscu.
Widok przesuwasz strzałkami (w pełnym ekranie także myszą przy krawędzi), Spacja trzyma go nad wybranym dzieckiem, a plus i minus na klawiaturze numerycznej przybliżają i oddalają.

Wskazówka: twoje dzieci stoją na gołej ziemi, a śnieżkę lepi się tylko ze śniegu. Przy stawie kręci się samotny malec z przeciwnej drużyny - gdy podejdziesz na 4 do 10 kratek, rzuci w ciebie, a twoje dzieci stojące w śniegu odpowiedzą same. Woda jest głęboka - omijaj ją.""",
    },
    {
        "file": "02 Pierwsza bitwa",
        "map": """
##############################
#............................#
#^^^^^^^^^^^^^^G^^^^^^^^^^^^^#
#^^^^^C^^^^^^^^^^^^^^^^C^^^^^#
#^^^^^^^^^^^^^#^^^^^^^^^^^^^^#
#^^^^#^^^__^^^^^^^^__^^^#^^^^#
#^^^^^^^^__^^^^^^^^__^^^^^^^^#
#^^^^^^^^^^^^^#^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#....##..............##......#
#............................#
#............................#
#......b.......g......b......#
#............................#
#............................#
##############################
""",
        "levels": {"b": 2, "g": 2},
        "solution": {
            "comment": "The three step forward onto the deep snow within throwing range and throw by themselves;\n"
                       "each buries the enemy before him as soon as he is down, so that he stays down.",
            "orders": [(0, ["go 3 7 9", "go 4 15 9", "go 5 24 9"])],
            "repeat": [(8, 400, 5, ["bury 3 1", "bury 4 0", "bury 5 2"])],
        },
        "text": """Cel: przewróć wszystkie dzieci przeciwnika naraz.

Wybierz dziecko, naciśnij A (atak) i kliknij przeciwnika - albo kliknij przeciwnika prawym przyciskiem. Rzuca się z odległości od 4 do 10 kratek i tylko stojąc na śniegu. Wolne dzieci same atakują najsłabszego przeciwnika w zasięgu.
Przytrzymaj Alt, aby zobaczyć paski życia wszystkich dzieci ([ - twoich, ] - przeciwnika, Caps Lock - na stałe).

Wskazówka: przewrócone dziecko wstaje po około dziesięciu sekundach. Skupcie rzuty na jednym przeciwniku, a potem na następnym. Kto rzuca z głębokiego śniegu w kogoś stojącego na płytkim, trafia mocniej.""",
    },
    {
        "file": "03 Ślizgawka",
        "rect": (31, 9, 4, 6),
        "map": """
####################################
#...........................#......#
#....#.............................#
#.....////////////////////////.#...#
#.....////////////////////////.....#
#.....////////////////////////.....#
##^^..////////////////////////.....#
##^^..////////////////////////^^^^^#
##^^..//^^^##/////////////////^^^^^#
##^b..//^^^##////^^^//////////^^^^^#
##^^..//^^^##/////////////////^^^^^#
##^c..//^^^##////^C^//////////^^^^^#
##^^..//^^^##////^^^//////////^^^^^#
##^b..//^^^##////^C^//////////^^^^^#
##^^..////////////////////////^^^^^#
##^^..////////////////////////.....#
#.....////////////////////////.....#
#.....////////////////////////.....#
#.....////////////////////////.....#
#..#...............................#
#.....................#............#
####################################
""",
        "solution": {
            "comment": "All three cross the ice along its top edge, out of the islanders' throws, and make for the\n"
                       "far shore; a child that slipped or was knocked down is sent on again.",
            "orders": [(0, ["go 0 6 1", "go 1 6 2", "go 3 5 1"]), (5, ["go 0 30 2", "go 1 30 2", "go 3 30 1"])],
            "repeat": [(10, 300, 3, ["go 0 32 10", "go 1 32 11", "go 3 32 12"])],
        },
        "text": """Cel: przeprowadź dziecko przez zamarznięty staw na śnieżny brzeg po prawej stronie.

Lód jest śliski: na lodzie można się przewrócić i wtedy przez kilka sekund leży się bez ruchu. Chłopaki chodzą po lodzie wolniej niż po śniegu, dziewczyny trochę szybciej, a maluchy dwa razy szybciej. Na lodzie nie ulepisz śnieżki.

Wskazówka: na wysepce niedaleko brzegu czają się dwaj przeciwnicy. Możesz ich przegonić śnieżkami z brzegu albo obejść staw dookoła. Klawisze: G lub prawy przycisk - idź, A - atak, S - stop.""",
    },
    {
        "file": "04 Rzeka",
        "map": """
########################################
#.......^^^^^^^^^~~~~^^^^^^^^^.........#
#..##...^^^^^^^^^~~~~^^^^^^^^^....##...#
#..##...^^^^^^^^~~~~~^^^^^^^^^....##...#
#.......^^^^^^^^~~~~^^^^^^^^^^.........#
#.......^^^^b^^^~~~~^^^G^^^^^^.........#
#.......^^^^^^^^~~~~^^^^^^^^^^.........#
#.......^^^^^^^^^~~~~^^^^^^^^^.........#
#..#....^^^^g^^^^~~~~^^B^^^^^^.....#...#
#..#....^^^^^^^^^~~~~^^^^^^^^^.....#...#
#.......^^^^^^^^^____^^^^^^^^^.........#
#.......^^^^b^^^^____^^C^^^^^^.........#
#.......^^^^^^^^^~~~~^^^^^^^^^.........#
#..##...^^^^^^^^^~~~~^^^^^^^^^....##...#
#..##...^^^^c^^^^~~~~^^^^^^^^^....##...#
#.......^^^^^^^^~~~~~^^^^^^^^^.........#
#.......^^^^^^^^~~~~^^^^^^^^^^.........#
#.......^^^^^^^^~~~~^^^^^^^^^^.........#
#.....#.^^^^^^^^^~~~~^^^^^^^^^....#....#
#.......^^^^^^^^^~~~~^^^^^^^^^.........#
########################################
""",
        "levels": {"B": 2},
        "enemy_under": ".",
        "solution": {
            "comment": "The children step up to the river and throw across it. The little one crosses by the ford\n"
                       "and buries every enemy who falls, so that the fallen stay down.",
            "orders": [(0, ["go 0 15 5", "go 2 16 8", "go 4 16 12", "go 6 16 10.5"]),
                       (3, ["go 6 21.5 10.5"])],
            "repeat": [(8, 500, 4.5, ["bury 6 1"]), (9.5, 500, 4.5, ["bury 6 3"]), (11, 500, 4.5, ["bury 6 5"])],
        },
        "text": """Cel: przewróć wszystkie dzieci po drugiej stronie rzeki naraz.

Śnieżki przelatują nad wodą, ale dzieci nie umieją pływać: kto wejdzie do wody albo zostanie do niej wepchnięty trafieniem, tonie na zawsze. Jedyna droga na drugi brzeg to bród pośrodku rzeki.

Przewróconego przeciwnika możesz zanieść nad wodę: wybierz swoje dziecko, naciśnij P, kliknij leżącego, a potem brzeg wody (albo kliknij leżącego prawym przyciskiem, a potem wodę). Uważaj - przeciwnik zrobi to samo z twoimi dziećmi.""",
    },
    {
        "file": "05 Żółty śnieg",
        "map": """
############################
#^^^^^^^##^^^^^^^^^^^^^^^^^#
#^^^^C^^^^^G^^^^^B^^^^^C^^^#
#^^,,,^^^^^^^^^^^^^^^^^,,,^#
#^,,,,,^^^^^^,,,^^^^^^,,,,,#
#^^,,,^^^^^^,,,,,^^^^^^,,,^#
#^^^^^^^^^^^^,,,^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^b^^^^^g^^^^^b^^^^^c^^^#
#^^^^^^^^^^^^^^^^^##^^^^^^^#
############################
""",
        "levels": {"B": 2, "b": 2, "g": 2},
        "solution": {
            "comment": "The line walks up to throwing range and stops short of the yellow patches, which would\n"
                       "eat its life. Whoever faces an enemy buries him when he is down.",
            "orders": [(0, ["go 4 5 8", "go 5 11 8", "go 6 17 8", "go 7 23 8"])],
            "repeat": [(10, 500, 6, ["bury 4 0", "bury 5 1", "bury 6 2", "bury 7 3"])],
        },
        "text": """Cel: przewróć wszystkie dzieci przeciwnika naraz.

Żółty śnieg wiadomo skąd się wziął. Kto w nim stoi, powoli traci życie - ale śnieżka ulepiona z żółtego śniegu trafia półtora raza mocniej. Żółte plamy znikają, gdy wydepcze się z nich cały śnieg.

Wskazówka: wejdź w żółtą plamę, rzuć kilka razy i wyjdź, zanim zrobi się niebezpiecznie. Pasek życia (Alt) zmienia kolor z zielonego na żółty i czerwony.""",
    },
    {
        "file": "06 Zasypani",
        "buried": [(3, 5), (26, 6)],
        "map": """
##############################
#..............C.............#
#.......C............G.......#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^g#^^^^^^^^^^^^^^^^^^^^#^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^b^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^#^^^^^^^^^^#^^^^^^^^#
#^^^^^^^^^^b^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^c^^^^^^^^^^#
##############################
""",
        "solution": {
            "comment": "First each free child digs out the friend buried on its side. Then all four spread out\n"
                       "within throwing range, and each buries the enemy in front of it whenever he is down.",
            "orders": [(0, ["digout 5 3", "digout 6 4"])],
            "repeat": [(14, 500, 30, ["go 5 9 8", "go 3 5 8", "go 6 21 8", "go 4 16 7"]),
                       (20, 500, 6, ["bury 5 1", "bury 3 1", "bury 6 2", "bury 4 0"])],
        },
        "levels": {"b": 2, "g": 2, "c": 2},
        "text": """Cel: odkop zasypanych przyjaciół i przewróć wszystkie dzieci przeciwnika naraz.

Dwoje twoich dzieci leży zakopanych w zaspach na obu skrajach boiska, tuż pod nosem przeciwnika. Zakopane dziecko nic nie robi, dopóki ktoś go nie odkopie. Wybierz dziecko, naciśnij W i kliknij zaspę z czapką - albo kliknij ją prawym przyciskiem. Odkopywanie trwa trzy sekundy, potem przyjaciel jeszcze chwilę dochodzi do siebie.

Tą samą komendą W możesz zakopać przewróconego przeciwnika, jeśli leży na śniegu - zakopany nie wstanie, dopóki koledzy go nie odkopią.""",
    },
    {
        "file": "07 Przerębel",
        "map": """
##################################
#^^^^^^^^^^^^^G^^^^^^^^^^^^^^^^^^#
#^#^^^^^B^^^^^^^^^^^^B^^^^^^^^^#^#
#^^^^^//////////////////////^^^^^#
#^^////////////////////////////^^#
#^^///////////~~~~~~///////////^^#
#^^///////////~~~~~~///////////^^#
#^^////////////////////////////^^#
#^^^^^//////////////////////^^^^^#
#^#^^^^^^^^^^^^^^^^^^^^^^^^^^^^#^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^#^^^^^^^^^g^^^^^^^^^g^^^^^^^^#^#
#^^^^^^b^^^^^^^^^b^^^^^^^^^b^^^^^#
##################################
""",
        "levels": {"B": 3, "G": 2, "b": 2, "g": 2},
        "solution": {
            "comment": "The line walks back up to the shore of the lake and throws across it. Three of them\n"
                       "carry each enemy, once he is down, across the ice to the hole in the middle; the other two\n"
                       "bury the fallen meanwhile.",
            "orders": [(0, ["go 3 12 9", "go 4 22 9", "go 5 7 10", "go 6 17 10", "go 7 27 10"])],
            "repeat": [(10, 500, 6, ["carry 5 1 14 6", "carry 3 0 15 6", "carry 4 2 18 6", "bury 6 0", "bury 7 2"])],
        },
        "text": """Cel: pozbądź się dzieci przeciwnika. Ich chłopcy są silniejsi od twoich.

Silny przeciwnik szybko wstaje i znów rzuca. Na środku jeziora jest przerębel. Przewróconego przeciwnika zanieś nad wodę: wybierz dziecko, naciśnij P, kliknij leżącego i wskaż brzeg przerębli. Niesiony wpada do wody i już nie wraca. Niosący chodzi dwa razy wolniej, a po lodzie łatwo się poślizgnąć.

Wskazówka: niech kilkoro dzieci obrzuca przeciwnika, a jedno lub dwoje odnosi leżących. Z prawym przyciskiem szybciej: kliknij leżącego, potem wodę.""",
    },
    {
        "file": "08 Zasadzka",
        "rect": (38, 4, 4, 4),
        "map": """
############################################
############################################
####^^C^^###^^^^^###^^G^^###################
####^^^^^###^^C^^###^^^^^###########^^^^^^^#
####^^^^^###^^^^^###^^^^^###########^^^^^^^#
#...^^^^^^^b^^^^g^^^^^^^^^^^^^^^....^^^^^^^#
#...^^^^^^^^^g^^^^^^^^^^^^^^^^^^....^^^^^^^#
#...^^^^^^^^c^^b^^^^^^^^^^^^^^^^....^^^^^^^#
####^^^^^###^^^^^###^^^^^###########^^^^^^^#
####^^^^^###^^G^^###^^^^^###########^^^^^^^#
####^^C^^###^^^^^###^^C^^###################
############################################
############################################
""",
        "levels": {"C": 2, "G": 2, "b": 2, "g": 2, "c": 2},
        "solution": {
            "comment": "Everyone runs down the track to the clearing at once; whoever is knocked down gets up\n"
                       "and is sent on again.",
            "repeat": [(0, 300, 2, ["go 3 39 5", "go 4 39 6", "go 5 39 6", "go 6 39 7", "go 7 39 7"])],
        },
        "text": """Cel: przejdź leśnym duktem na polanę na wschodzie.

W kieszeniach lasu po obu stronach duktu ktoś się czai. Kiedy wejdziesz między nie, śnieżki polecą z dwóch stron naraz.

Wskazówka: możesz przebiec całą grupą, ile sił w nogach, albo stanąć i walczyć - najpierw z jedną stroną, potem z drugą. Zapamiętaj grupy: Ctrl i cyfra przypisuje wybrane dziecko do cyfry, sama cyfra wybiera je z powrotem. Spacja lub Scroll Lock trzyma widok nad wybranym dzieckiem.""",
    },
    {
        "file": "09 Twierdza",
        "rect": (18, 5, 4, 3),
        "map": """
########################################
#...##............................##...#
#......................................#
#........######################........#
#........#^^^^^^^^^^^^^^^^^^^^#........#
#........#^^^^^^^^^B^^^^^^^^^^#........#
#........#^^^G^^^^^^^^^^^^G^^^#........#
#........#^^^^^^^^^^^^^^^^^^^^#........#
#........#^^^^^^^^^^^^^^^^^^^^#........#
#........#^^^#^^^#____#^^^#^^^#........#
#......................................#
#......................................#
#......................................#
#......................................#
#......................................#
#......................................#
#......................................#
#.......^^^^^^^g^^^^^^^g^^^^^^^^.......#
#.......^^^b^^^^^^^b^^^^^^^b^^^^.......#
#.......^^^^^c^^^b^^^c^^^b^^^^^^.......#
#.......########################.......#
#......................................#
########################################
""",
        "levels": {"G": 3, "B": 4, "b": 2, "g": 2, "c": 2},
        "solution": {
            "comment": "The whole band storms the gate at once and makes for the middle of the courtyard;\n"
                       "whoever is knocked down gets up and is sent on again.",
            "repeat": [(0, 300, 2, ["go 3 19 6", "go 4 20 6", "go 5 19 7", "go 6 20 7", "go 7 21 6",
                                    "go 8 19 6", "go 9 20 6", "go 10 20 7", "go 11 21 7"])],
        },
        "text": """Cel: zdobądź twierdzę - wprowadź dziecko na środek dziedzińca albo przewróć wszystkich obrońców naraz.

Mury zatrzymują śnieżki, ale południowy mur jest w większości rozwalony - zostały z niego tylko brama i kilka słupów. Obrońcy mają pod nogami głęboki śnieg i więcej doświadczenia niż twoje dzieci.

Wskazówka: rzucaj między słupami, a kiedy obrońcy leżą, wbiegnij na dziedziniec. Przewróconych obrońców zakop (W), żeby nie wstali. Każde trafienie w pobliżu daje doświadczenie całej drużynie - po kilku poziomach twoje dzieci są silniejsze, celniejsze i szybsze.""",
    },
    {
        "file": "10 Wielka bitwa",
        "map": """
############################################
#...^^^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
#...##^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^##...#
#...##^^^,,,^^^^^^^^^~~~^^^^^^^^,,,^^^##...#
#...^^^^,,,,,b^^^^^^^~~~^B^^^^^,,,,,^^^^...#
#...^^^^^,,,^^^^^^^^^___^^^^^^^^,,,^^^^^...#
#...^^^^^^^^^b^^^^^^^___^^^C^^^^^^^^^^^^...#
#...^^^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
#...^^^^^^^g^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
#...##^^^^^^^^^^^^^^^~~~^G^^B^^^^^^^^^^^...#
#...##^^^^^^^c^^^^^^^~~~^^^B^^^^^^^^^^^#...#
#...^^^^^^^^##^^^^^^^///^^^^^^^##^^^^^^#...#
#...^^^^^^^c##^^^^^^^///^C^^^^^##^^^^^^^...#
#...^^^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
#...^^^^^^^^^g^^^^^^^~~~^^^G^^^^^^^^^^^^...#
#...##^^^^^^^^^^^^^^^~~~^^^^G^^^^^^^^^^^...#
#...##^^^^^b^^^^^^^^^~~~^B^^^^^^^^^^^^##...#
#...^^^^^^^^^^^^^^^^^___^^^^^^^^^^^^^^##...#
#...^^^^^^^^^b^^^^^^^___^^^C^^^^^^^^^^^^...#
#...^^^^^,,,^^^^^^^^^~~~^^^^^^^^,,,^^^^^...#
#...^##^,,,,,g^^^^^^^~~~^G^^^^^,,,,,^^##...#
#...^##^^,,,^^^^^^^^^~~~^^^^^^^^,,,^^^##...#
#...^^^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
############################################
""",
        "levels": {"b": 3, "g": 3, "c": 3, "B": 4, "G": 4, "C": 4},
        "rect": (40, 9, 3, 5),
        "solution": {
            "comment": "The whole band crosses at once, by the north ford, the ice bridge and the south ford, and\n"
                       "runs through the enemy line for its camp; whoever is knocked down is sent on again.",
            "orders": [(0, ["go 0 20 5.5", "go 2 20 5.5", "go 4 20 5.5", "go 7 20 11.5", "go 9 20 11.5",
                            "go 11 20 11.5", "go 14 20 17.5", "go 16 20 17.5", "go 18 20 17.5"]),
                       (3, ["go 0 24.5 5.5", "go 2 24.5 5.5", "go 4 24.5 5.5", "go 7 24.5 11.5", "go 9 24.5 11.5",
                            "go 11 24.5 11.5", "go 14 24.5 17.5", "go 16 24.5 17.5", "go 18 24.5 17.5"])],
            "repeat": [(6, 300, 2, ["go 0 41 10", "go 2 41 11", "go 4 41 12", "go 7 41 10", "go 9 41 11",
                                    "go 11 41 12", "go 14 41 10", "go 16 41 11", "go 18 41 12"])],
        },
        "text": """Cel: rozstrzygnij wielką bitwę - przewróć lub zakop wszystkie dzieci przeciwnika albo wprowadź dziecko do ich obozu na wschodnim skraju mapy.

Między wami płynie strumień z dwoma brodami i lodowym mostem pośrodku. Przeciwników jest więcej i są bardziej doświadczeni, więc wykorzystaj wszystko, czego się nauczyłeś: rzucaj z głębokiego śniegu, zbieraj siły w żółtych plamach (krótko!), zakopuj przewróconych albo wrzucaj ich do strumienia i odkopuj swoich.

Escape otwiera menu i wstrzymuje grę, Alt+Enter przełącza pełny ekran. Powodzenia!""",
    },
]
