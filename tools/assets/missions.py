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
#^^^^^^b^^^^^^^^^^^^^^b^^^^^^#
#^^^^^^^^^^^^^^g^^^^^^^^^^^^^#
#............................#
##############################
""",
        "text": """Cel: przewróć wszystkie dzieci przeciwnika naraz.

Wybierz dziecko, naciśnij A (atak) i kliknij przeciwnika - albo kliknij przeciwnika prawym przyciskiem. Rzuca się z odległości od 4 do 10 kratek i tylko stojąc na śniegu. Wolne dzieci same atakują najsłabszego przeciwnika w zasięgu.
Przytrzymaj Alt, aby zobaczyć paski życia wszystkich dzieci ([ - twoich, ] - przeciwnika, Caps Lock - na stałe).

Wskazówka: przewrócone dziecko wstaje po około dziesięciu sekundach. Skupcie rzuty na jednym przeciwniku, a potem na następnym. Kto rzuca z głębokiego śniegu w kogoś stojącego na płytkim, trafia mocniej.""",
    },
    {
        "file": "03 Slizgawka",
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
##^b..//^C^##/////////////////^^^^^#
##^^..//^^^##/////////////////^^^^^#
##^c..//^^^##/////////////////^^^^^#
##^^..//^C^##/////////////////^^^^^#
##^b..//^^^##/////////////////^^^^^#
##^^..////////////////////////^^^^^#
##^^..////////////////////////.....#
#.....////////////////////////.....#
#.....////////////////////////.....#
#.....////////////////////////.....#
#..#...............................#
#.....................#............#
####################################
""",
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
#.......^^^^^^b^~~~~^^G^^^^^^^.........#
#.......^^^^^^^^~~~~^^^^^^^^^^.........#
#.......^^^^^^^^^~~~~^^^^^^^^^.........#
#..#....^^^^^^g^^~~~~^B^^^^^^^.....#...#
#..#....^^^^^^^^^~~~~^^^^^^^^^.....#...#
#.......^^^^^^^^^____^^^^^^^^^.........#
#.......^^^^^^b^^____^C^^^^^^^.........#
#.......^^^^^^^^^~~~~^^^^^^^^^.........#
#..##...^^^^^^^^^~~~~^^^^^^^^^....##...#
#..##...^^^^^^c^^~~~~^B^^^^^^^....##...#
#.......^^^^^^^^~~~~~^^^^^^^^^.........#
#.......^^^^^^^^~~~~^^^^^^^^^^.........#
#.......^^^^^^^^~~~~^^^^^^^^^^.........#
#.....#.^^^^^^^^^~~~~^^^^^^^^^....#....#
#.......^^^^^^^^^~~~~^^^^^^^^^.........#
########################################
""",
        "levels": {"B": 2},
        "text": """Cel: przewróć wszystkie dzieci po drugiej stronie rzeki naraz.

Śnieżki przelatują nad wodą, ale dzieci nie umieją pływać: kto wejdzie do wody albo zostanie do niej wepchnięty trafieniem, tonie na zawsze. Jedyna droga na drugi brzeg to bród pośrodku rzeki.

Przewróconego przeciwnika możesz zanieść nad wodę: wybierz swoje dziecko, naciśnij P, kliknij leżącego, a potem brzeg wody (albo kliknij leżącego prawym przyciskiem, a potem wodę). Uważaj - przeciwnik zrobi to samo z twoimi dziećmi.""",
    },
    {
        "file": "05 Zolty snieg",
        "map": """
############################
#^^^^^^^##^^^^^^^^^^^^^^^^^#
#^^^^C^^^^^G^^^^^B^^^^^C^^^#
#^^,,,^^^^^^^^^^^^^^^^^,,,^#
#^,,,,,^^^^^^,,,^^^^^^,,,,,#
#^^,,,^^^^^^,,,,,^^^^^^,,,^#
#^^^^^^^^^^^^,,,^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^^^^^^^^^^#
#^^^^b^^^^^g^^^^^b^^^^^c^^^#
#^^^^^^^^^^^^^^^^^##^^^^^^^#
############################
""",
        "levels": {"B": 2, "G": 2},
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
#^^^^^^^^#^^^^^^^^^^#^^^^^^^^#
#^^^^^^^^^^b^^^^^^^^^^^^^^^^^#
#^^^^^^^^^^^^^^^^^c^^^^^^^^^^#
##############################
""",
        "text": """Cel: odkop zasypanych przyjaciół i przewróć wszystkie dzieci przeciwnika naraz.

Dwoje twoich dzieci leży zakopanych w zaspach na obu skrajach boiska, tuż pod nosem przeciwnika. Zakopane dziecko nic nie robi, dopóki ktoś go nie odkopie. Wybierz dziecko, naciśnij W i kliknij zaspę z czapką - albo kliknij ją prawym przyciskiem. Odkopywanie trwa trzy sekundy, potem przyjaciel jeszcze chwilę dochodzi do siebie.

Tą samą komendą W możesz zakopać przewróconego przeciwnika, jeśli leży na śniegu - zakopany nie wstanie, dopóki koledzy go nie odkopią.""",
    },
    {
        "file": "07 Przerebel",
        "map": """
##################################
#^^^^^^^^^^^^^G^^^^^^^^^^^^G^^^^^#
#^#^^^^^B^^^^^^^^^^^^B^^^^^^^^^#^#
#^^^^^//////////////////////^^^^^#
#^^////////////////////////////^^#
#^^///////////~~~~~~///////////^^#
#^^///////////~~~~~~///////////^^#
#^^////////////////////////////^^#
#^^^^^//////////////////////^^^^^#
#^#^^^^^^^^^g^^^^^^^^^g^^^^^^^^#^#
#^^^^^^b^^^^^^^^^b^^^^^^^^^b^^^^^#
##################################
""",
        "levels": {"B": 3, "G": 3, "b": 2, "g": 2},
        "text": """Cel: pozbądź się dzieci przeciwnika. Każde z nich jest silniejsze od twoich.

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
#.......^^^^^^^g^^^^^^^g^^^^^^^^.......#
#.......^^^b^^^^^^^b^^^^^^^b^^^^.......#
#.......^^^^^c^^^b^^^c^^^b^^^^^^.......#
#.......########################.......#
#......................................#
########################################
""",
        "levels": {"G": 3, "B": 4, "b": 2, "g": 2, "c": 2},
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
#...^^^^,,,,,^^^^b^^^~~~^B^^^^^,,,,,^^^^...#
#...^^^^^,,,^^^^^^^^^___^^^^^^^^,,,^^^^^...#
#...^^^^^^^^^^^^^^^b^___^^^C^^^^^^^^^^^^...#
#...^^^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
#...^^^^^^^^^^^^^g^^^~~~^^^^^^^^^^^^^^^^...#
#...##^^^^^^^^^^^^^^^~~~^G^^B^^^^^^^^^^^...#
#...##^^^^^^^^^^^^^c^~~~^^^B^^^^^^^^^^^#...#
#...^^^^^^^^##^^^^^^^///^^^^^^^##^^^^^^#...#
#...^^^^^^^^##^^^c^^^///^C^^^^^##^^^^^^^...#
#...^^^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
#...^^^^^^^^^^^^^^^g^~~~^^^G^^^^^^^^^^^^...#
#...##^^^^^^^^^^^^^^^~~~^^^^G^^^^^^^^^^^...#
#...##^^^^^^^^^^^b^^^~~~^B^^^^^^^^^^^^##...#
#...^^^^^^^^^^^^^^^^^___^^^^^^^^^^^^^^##...#
#...^^^^^^^^^^^^^^^b^___^^^C^^^^^^^^^^^^...#
#...^^^^^,,,^^^^^^^^^~~~^^^^^^^^,,,^^^^^...#
#...^##^,,,,,^^^^g^^^~~~^G^^^^^,,,,,^^##...#
#...^##^^,,,^^^^^^^^^~~~^^^^^^^^,,,^^^##...#
#...^^^^^^^^^^^^^^^^^~~~^^^^^^^^^^^^^^^^...#
############################################
""",
        "levels": {"b": 3, "g": 3, "c": 3, "B": 4, "G": 4, "C": 4},
        "text": """Cel: rozstrzygnij wielką bitwę - przewróć lub zakop wszystkie dzieci przeciwnika.

Między wami płynie strumień z dwoma brodami i lodowym mostem pośrodku. Przeciwników jest więcej i są bardziej doświadczeni, więc wykorzystaj wszystko, czego się nauczyłeś: rzucaj z głębokiego śniegu, zbieraj siły w żółtych plamach (krótko!), zakopuj przewróconych albo wrzucaj ich do strumienia i odkopuj swoich.

Escape otwiera menu i wstrzymuje grę, Alt+Enter przełącza pełny ekran. Powodzenia!""",
    },
]
