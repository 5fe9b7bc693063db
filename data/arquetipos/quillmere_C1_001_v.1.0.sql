-- Archivo de arquetipos de muestra de Varnolt: quillmere_C1_001_v.1.0
--
-- Fuente SQL del archivo bin/arquetipos/quillmere_C1_001_v.1.0.arq, que la
-- compilación genera con "varnolt-arq crear". Textos interpretativos
-- originales del proyecto Varnolt.
--
-- Tablas: columna 1 un número, columna 2 la clave, columna 3 el texto.
--   Items_01..03    ítems: 1 el ítem como gestor en tránsito, 2 su desarrollo,
--                   3 el ítem como capacidad natal
--   Casas_01..03    casas C01..C12: 1 el escenario, 2 y 3 su desarrollo
--   Signos_01..03   signos: 1 palabra clave, 2 alta vibración, 3 baja vibración
--   Aspectos_01..03 ángulos: 1 la oportunidad, 2 la intención (se muestra
--                   seguida de ", " y del texto 1), 3 su desarrollo
--   _Info_Data      la ficha del archivo para el catálogo


CREATE TABLE Items_01 (Id integer primary key, Clave varchar(10), Texto text);
INSERT INTO Items_01 VALUES (1, 'Sol', 'Ilumina aquello que toca y pide que la voluntad se exprese con claridad en ese ámbito.');
INSERT INTO Items_01 VALUES (2, 'Lun', 'Activa el mundo emocional y hace visibles las necesidades de cuidado, refugio y pertenencia.');
INSERT INTO Items_01 VALUES (3, 'Mer', 'Pone en movimiento ideas, mensajes y trámites; favorece el diálogo y el aprendizaje práctico.');
INSERT INTO Items_01 VALUES (4, 'Ven', 'Trae armonía, deseo de acercamiento y sensibilidad estética a la zona que recorre.');
INSERT INTO Items_01 VALUES (5, 'Mar', 'Impulsa la acción directa y el coraje; también puede encender la impaciencia y el conflicto.');
INSERT INTO Items_01 VALUES (6, 'Júp', 'Amplía horizontes y ofrece confianza, crecimiento y oportunidades de sentido.');
INSERT INTO Items_01 VALUES (7, 'Sat', 'Pone a prueba las estructuras y pide responsabilidad, paciencia y trabajo sostenido.');
INSERT INTO Items_01 VALUES (8, 'Ura', 'Introduce cambios súbitos, despertares y deseos de libertad que rompen la rutina.');
INSERT INTO Items_01 VALUES (9, 'Nep', 'Disuelve límites y despierta la inspiración, aunque también puede traer confusión o idealización.');
INSERT INTO Items_01 VALUES (10, 'Plu', 'Remueve lo profundo y conduce procesos de transformación, pérdida y renacimiento.');
INSERT INTO Items_01 VALUES (11, 'Nod', 'Señala la dirección de crecimiento que conviene cultivar en este período.');
INSERT INTO Items_01 VALUES (12, 'NodT', 'Marca con precisión el paso evolutivo que la vida propone ahora.');
INSERT INTO Items_01 VALUES (13, 'Lil', 'Saca a la luz deseos reprimidos y zonas de rechazo que piden ser reconocidas.');
INSERT INTO Items_01 VALUES (14, 'LilT', 'Hace oscilar la intensidad instintiva y expone aquello que no se quiere negociar.');
INSERT INTO Items_01 VALUES (15, 'Tie', 'Invita a enraizar en lo concreto y a cuidar el cuerpo y el entorno inmediato.');
INSERT INTO Items_01 VALUES (16, 'Qui', 'Toca una herida antigua y abre la posibilidad de sanarla a través de la comprensión.');
INSERT INTO Items_01 VALUES (17, 'Pho', 'Destapa lo que estaba contenido: una causa pequeña desencadena efectos grandes.');
INSERT INTO Items_01 VALUES (18, 'Cer', 'Despierta temas de nutrición, cuidado y ciclos de pérdida y recuperación.');
INSERT INTO Items_01 VALUES (19, 'Pal', 'Aporta estrategia, inteligencia creativa y capacidad de reconocer patrones.');
INSERT INTO Items_01 VALUES (20, 'Jun', 'Activa el compromiso, los acuerdos y las cuestiones de equidad en el vínculo.');
INSERT INTO Items_01 VALUES (21, 'Ves', 'Concentra la energía en lo que se considera sagrado y pide dedicación y foco.');
INSERT INTO Items_01 VALUES (22, 'NodS', 'Reactiva hábitos y talentos conocidos que conviene usar sin quedar atrapado en ellos.');
INSERT INTO Items_01 VALUES (23, 'NodST', 'Muestra con exactitud la zona de confort que hoy tiende a repetirse.');
INSERT INTO Items_01 VALUES (24, 'RfD', 'Señala por dónde fluye la fortuna cuando se actúa abiertamente y a la luz del día.');
INSERT INTO Items_01 VALUES (25, 'RfN', 'Indica la buena fortuna que llega por caminos íntimos y discretos.');
INSERT INTO Items_01 VALUES (26, 'Pr', 'Activa la fuerza del deseo y la vitalidad instintiva en su expresión más directa.');
INSERT INTO Items_01 VALUES (27, 'PrT', 'Intensifica de forma puntual el impulso vital y la pulsión creadora.');

CREATE TABLE Items_02 (Id integer primary key, Clave varchar(10), Texto text);
INSERT INTO Items_02 VALUES (1, 'Sol', 'Es un tiempo para reconocerse en lo que se hace y asumir el protagonismo con generosidad.');
INSERT INTO Items_02 VALUES (2, 'Lun', 'Los estados de ánimo fluctúan más de lo habitual; escuchar lo que se siente orienta mejor que forzar.');
INSERT INTO Items_02 VALUES (3, 'Mer', 'Conviene revisar lo dicho y lo escrito, porque los detalles cobran un peso inesperado.');
INSERT INTO Items_02 VALUES (4, 'Ven', 'Las relaciones y los gustos se vuelven el termómetro de lo que realmente se valora.');
INSERT INTO Items_02 VALUES (5, 'Mar', 'La energía disponible crece; canalizarla en metas concretas evita que se vuelva contra uno mismo.');
INSERT INTO Items_02 VALUES (6, 'Júp', 'El exceso de optimismo es el único riesgo: la abundancia también pide medida.');
INSERT INTO Items_02 VALUES (7, 'Sat', 'Lo que se construya ahora con disciplina tendrá una solidez duradera.');
INSERT INTO Items_02 VALUES (8, 'Ura', 'Lo inesperado obliga a improvisar y revela qué partes de la vida pedían aire nuevo.');
INSERT INTO Items_02 VALUES (9, 'Nep', 'Es buen momento para el arte, la compasión y la vida interior, y malo para firmar sin leer.');
INSERT INTO Items_02 VALUES (10, 'Plu', 'Lo que ya cumplió su ciclo tiende a terminar y deja espacio a una versión más auténtica de uno mismo.');
INSERT INTO Items_02 VALUES (11, 'Nod', 'Los encuentros y las situaciones que incomodan suelen ser los que más hacen avanzar.');
INSERT INTO Items_02 VALUES (12, 'NodT', 'Prestar atención a las señales concretas del entorno ayuda a reconocer el rumbo.');
INSERT INTO Items_02 VALUES (13, 'Lil', 'Lo que se niega tiende a proyectarse en otros; reconocerlo devuelve poder personal.');
INSERT INTO Items_02 VALUES (14, 'LilT', 'Los límites personales se ponen a prueba y piden ser defendidos sin violencia.');
INSERT INTO Items_02 VALUES (15, 'Tie', 'El contacto con la naturaleza y con los ritmos sencillos devuelve el equilibrio.');
INSERT INTO Items_02 VALUES (16, 'Qui', 'El dolor que aparece señala también el lugar desde el que se puede ayudar a otros.');
INSERT INTO Items_02 VALUES (17, 'Pho', 'Conviene observar qué se libera y decidir con conciencia qué hacer con ello.');
INSERT INTO Items_02 VALUES (18, 'Cer', 'Dar y recibir cuidado pasa al centro, y también aprender a soltar aquello que se ama.');
INSERT INTO Items_02 VALUES (19, 'Pal', 'Las soluciones llegan al mirar el conjunto antes que al reaccionar ante una sola parte.');
INSERT INTO Items_02 VALUES (20, 'Jun', 'Salen a la luz expectativas sobre la pareja y los socios que conviene hablar con franqueza.');
INSERT INTO Items_02 VALUES (21, 'Ves', 'El trabajo silencioso y constante rinde más que la dispersión.');
INSERT INTO Items_02 VALUES (22, 'NodS', 'La experiencia pasada es un recurso y no un destino: sirve de base, no de refugio.');
INSERT INTO Items_02 VALUES (23, 'NodST', 'Repetir lo conocido da una seguridad momentánea, pero el aprendizaje está en otra parte.');
INSERT INTO Items_02 VALUES (24, 'RfD', 'Las iniciativas visibles y compartidas encuentran apoyo y reconocimiento.');
INSERT INTO Items_02 VALUES (25, 'RfN', 'La suerte se presenta en lo reservado: intuiciones, encuentros privados y decisiones calladas.');
INSERT INTO Items_02 VALUES (26, 'Pr', 'El deseo pide una expresión consciente; reprimirlo o desbordarlo tiene el mismo costo.');
INSERT INTO Items_02 VALUES (27, 'PrT', 'Es un tiempo fértil para iniciar proyectos que requieren empuje físico y pasión.');

CREATE TABLE Items_03 (Id integer primary key, Clave varchar(10), Texto text);
INSERT INTO Items_03 VALUES (1, 'Sol', 'La capacidad de afirmar la propia identidad y de dar una dirección consciente a la vida.');
INSERT INTO Items_03 VALUES (2, 'Lun', 'La capacidad de sentir, de nutrir y de crear un refugio emocional para uno mismo y para los demás.');
INSERT INTO Items_03 VALUES (3, 'Mer', 'La capacidad de pensar, de comunicar y de relacionar ideas con agilidad.');
INSERT INTO Items_03 VALUES (4, 'Ven', 'La capacidad de amar, de valorar y de crear belleza y armonía en los vínculos.');
INSERT INTO Items_03 VALUES (5, 'Mar', 'La capacidad de desear, de iniciar y de defender lo propio con valentía.');
INSERT INTO Items_03 VALUES (6, 'Júp', 'La capacidad de confiar, de expandirse y de encontrar sentido en la experiencia.');
INSERT INTO Items_03 VALUES (7, 'Sat', 'La capacidad de sostener compromisos, de poner límites y de madurar con el tiempo.');
INSERT INTO Items_03 VALUES (8, 'Ura', 'La capacidad de innovar, de liberarse de lo establecido y de ser fiel a la propia singularidad.');
INSERT INTO Items_03 VALUES (9, 'Nep', 'La capacidad de imaginar, de intuir y de sentirse parte de algo más grande.');
INSERT INTO Items_03 VALUES (10, 'Plu', 'La capacidad de transformarse a fondo y de renacer después de las crisis.');
INSERT INTO Items_03 VALUES (11, 'Nod', 'La capacidad de crecer hacia aquello que todavía no se domina.');
INSERT INTO Items_03 VALUES (12, 'NodT', 'La capacidad de reconocer el propio camino evolutivo en los hechos concretos.');
INSERT INTO Items_03 VALUES (13, 'Lil', 'La capacidad de decir no, de sostener el deseo propio y de integrar lo rechazado.');
INSERT INTO Items_03 VALUES (14, 'LilT', 'La capacidad de habitar la intensidad instintiva sin perder la propia verdad.');
INSERT INTO Items_03 VALUES (15, 'Tie', 'La capacidad de estar presente en el cuerpo y de dar forma material a lo que se quiere.');
INSERT INTO Items_03 VALUES (16, 'Qui', 'La capacidad de convertir la propia herida en sabiduría y en ayuda para otros.');
INSERT INTO Items_03 VALUES (17, 'Pho', 'La capacidad de liberar lo retenido y de permitir que algo pequeño cambie el rumbo.');
INSERT INTO Items_03 VALUES (18, 'Cer', 'La capacidad de cuidar, de alimentar y de aceptar los ciclos de pérdida y regreso.');
INSERT INTO Items_03 VALUES (19, 'Pal', 'La capacidad de pensar con estrategia y de unir razón y creatividad.');
INSERT INTO Items_03 VALUES (20, 'Jun', 'La capacidad de comprometerse con otro y de pedir un trato justo.');
INSERT INTO Items_03 VALUES (21, 'Ves', 'La capacidad de concentrarse, de consagrarse a algo y de mantener viva la llama interior.');
INSERT INTO Items_03 VALUES (22, 'NodS', 'La capacidad de apoyarse en dones heredados y en aprendizajes antiguos.');
INSERT INTO Items_03 VALUES (23, 'NodST', 'La capacidad de reconocer los patrones aprendidos que se repiten sin pensarlo.');
INSERT INTO Items_03 VALUES (24, 'RfD', 'La capacidad de encontrar fortuna en la acción abierta y en la vida pública.');
INSERT INTO Items_03 VALUES (25, 'RfN', 'La capacidad de encontrar fortuna en la intimidad, en la intuición y en lo no dicho.');
INSERT INTO Items_03 VALUES (26, 'Pr', 'La capacidad de sentir y de asumir la fuerza vital del deseo.');
INSERT INTO Items_03 VALUES (27, 'PrT', 'La capacidad de canalizar con precisión el impulso creador y fecundo.');

CREATE TABLE Casas_01 (Id integer primary key, Clave varchar(3), Texto text);
INSERT INTO Casas_01 VALUES (1, 'C01', 'El escenario de la identidad, la presencia física y la manera de iniciar las cosas.');
INSERT INTO Casas_01 VALUES (2, 'C02', 'El escenario de los recursos propios, el dinero y la autoestima.');
INSERT INTO Casas_01 VALUES (3, 'C03', 'El escenario de la comunicación cotidiana, los hermanos, los estudios y el entorno cercano.');
INSERT INTO Casas_01 VALUES (4, 'C04', 'El escenario del hogar, la familia, las raíces y la vida privada.');
INSERT INTO Casas_01 VALUES (5, 'C05', 'El escenario de la creatividad, el juego, el romance y los hijos.');
INSERT INTO Casas_01 VALUES (6, 'C06', 'El escenario del trabajo diario, la salud, los hábitos y el servicio.');
INSERT INTO Casas_01 VALUES (7, 'C07', 'El escenario de la pareja, las asociaciones y los otros significativos.');
INSERT INTO Casas_01 VALUES (8, 'C08', 'El escenario de la intimidad, los recursos compartidos, las crisis y la transformación.');
INSERT INTO Casas_01 VALUES (9, 'C09', 'El escenario de los viajes largos, la filosofía, la fe y los estudios superiores.');
INSERT INTO Casas_01 VALUES (10, 'C10', 'El escenario de la vocación, la carrera, la reputación y la autoridad.');
INSERT INTO Casas_01 VALUES (11, 'C11', 'El escenario de los amigos, los grupos, los ideales y los proyectos de futuro.');
INSERT INTO Casas_01 VALUES (12, 'C12', 'El escenario de lo oculto, el retiro, el inconsciente y la entrega espiritual.');

CREATE TABLE Casas_02 (Id integer primary key, Clave varchar(3), Texto text);
INSERT INTO Casas_02 VALUES (1, 'C01', 'Lo que ocurre aquí se vive en primera persona y se nota en el cuerpo y en la actitud.');
INSERT INTO Casas_02 VALUES (2, 'C02', 'Aquí se pone a prueba la relación entre lo que se tiene y lo que se vale.');
INSERT INTO Casas_02 VALUES (3, 'C03', 'Los mensajes, los trayectos y las conversaciones de cada día cobran importancia.');
INSERT INTO Casas_02 VALUES (4, 'C04', 'Se remueven la base emocional y la sensación de pertenencia.');
INSERT INTO Casas_02 VALUES (5, 'C05', 'La alegría de crear y de expresarse pide su espacio.');
INSERT INTO Casas_02 VALUES (6, 'C06', 'Ajustar las rutinas y cuidar el cuerpo se vuelve prioritario.');
INSERT INTO Casas_02 VALUES (7, 'C07', 'Los vínculos de igual a igual reflejan lo que uno no ve de sí mismo.');
INSERT INTO Casas_02 VALUES (8, 'C08', 'Lo que se comparte y lo que se pierde obliga a soltar el control.');
INSERT INTO Casas_02 VALUES (9, 'C09', 'Crece la necesidad de comprender, de explorar y de dar sentido.');
INSERT INTO Casas_02 VALUES (10, 'C10', 'Los logros y las responsabilidades públicas quedan a la vista.');
INSERT INTO Casas_02 VALUES (11, 'C11', 'El apoyo de los grupos y de las amistades impulsa metas colectivas.');
INSERT INTO Casas_02 VALUES (12, 'C12', 'Lo invisible trabaja en silencio y pide recogimiento.');

CREATE TABLE Casas_03 (Id integer primary key, Clave varchar(3), Texto text);
INSERT INTO Casas_03 VALUES (1, 'C01', 'Es la puerta de entrada de toda experiencia: la manera de empezar determina mucho de lo que sigue.');
INSERT INTO Casas_03 VALUES (2, 'C02', 'Cultivar los talentos propios da una seguridad que ninguna posesión sustituye.');
INSERT INTO Casas_03 VALUES (3, 'C03', 'Aprender a escuchar tanto como a hablar vuelve fértil el intercambio.');
INSERT INTO Casas_03 VALUES (4, 'C04', 'Cuidar el propio refugio permite salir al mundo con raíces firmes.');
INSERT INTO Casas_03 VALUES (5, 'C05', 'Arriesgarse a mostrar lo que se ama es el camino de la autenticidad.');
INSERT INTO Casas_03 VALUES (6, 'C06', 'El orden en lo pequeño sostiene la salud y la eficacia en lo grande.');
INSERT INTO Casas_03 VALUES (7, 'C07', 'Los acuerdos justos se construyen reconociendo al otro como alguien distinto.');
INSERT INTO Casas_03 VALUES (8, 'C08', 'Atravesar lo profundo sin huir otorga una fuerza nueva.');
INSERT INTO Casas_03 VALUES (9, 'C09', 'Las creencias maduran cuando se contrastan con la experiencia.');
INSERT INTO Casas_03 VALUES (10, 'C10', 'La vocación se afirma al ocupar con integridad el lugar que corresponde.');
INSERT INTO Casas_03 VALUES (11, 'C11', 'Compartir un ideal multiplica lo que cada uno puede aportar.');
INSERT INTO Casas_03 VALUES (12, 'C12', 'Rendirse ante lo que no se controla abre una forma de paz interior.');

CREATE TABLE Signos_01 (Id integer primary key, Clave varchar(3), Texto text);
INSERT INTO Signos_01 VALUES (1, 'Ari', 'Impulso: la energía que inaugura y se atreve.');
INSERT INTO Signos_01 VALUES (2, 'Tau', 'Arraigo: la fuerza que conserva, disfruta y da forma.');
INSERT INTO Signos_01 VALUES (3, 'Gém', 'Enlace: la mente que pregunta, conecta y traduce.');
INSERT INTO Signos_01 VALUES (4, 'Cán', 'Cobijo: la sensibilidad que protege y recuerda.');
INSERT INTO Signos_01 VALUES (5, 'Leo', 'Brillo: el corazón que crea y se expresa.');
INSERT INTO Signos_01 VALUES (6, 'Vir', 'Discernimiento: el cuidado que ordena y perfecciona.');
INSERT INTO Signos_01 VALUES (7, 'Lib', 'Armonía: el arte de equilibrar y de encontrarse con el otro.');
INSERT INTO Signos_01 VALUES (8, 'Esc', 'Intensidad: la pasión que penetra y transforma.');
INSERT INTO Signos_01 VALUES (9, 'Sag', 'Horizonte: la búsqueda de sentido, de verdad y de libertad.');
INSERT INTO Signos_01 VALUES (10, 'Cap', 'Estructura: la ambición paciente que construye.');
INSERT INTO Signos_01 VALUES (11, 'Acu', 'Visión: la libertad que innova y reúne en lo colectivo.');
INSERT INTO Signos_01 VALUES (12, 'Pis', 'Entrega: la compasión que disuelve fronteras.');

CREATE TABLE Signos_02 (Id integer primary key, Clave varchar(3), Texto text);
INSERT INTO Signos_02 VALUES (1, 'Ari', 'Valentía para abrir caminos, franqueza y un entusiasmo que anima a otros a empezar.');
INSERT INTO Signos_02 VALUES (2, 'Tau', 'Constancia serena, sentido práctico y una sensualidad que sabe apreciar lo sencillo.');
INSERT INTO Signos_02 VALUES (3, 'Gém', 'Mente ágil y versátil, humor y talento para comunicar y aprender de todo.');
INSERT INTO Signos_02 VALUES (4, 'Cán', 'Ternura protectora, memoria afectiva y capacidad de crear hogar allí donde se está.');
INSERT INTO Signos_02 VALUES (5, 'Leo', 'Generosidad, lealtad y una creatividad radiante que inspira confianza.');
INSERT INTO Signos_02 VALUES (6, 'Vir', 'Servicio eficaz, precisión, humildad y atención amorosa al detalle.');
INSERT INTO Signos_02 VALUES (7, 'Lib', 'Diplomacia, sentido de la justicia y gracia para tender puentes.');
INSERT INTO Signos_02 VALUES (8, 'Esc', 'Profundidad emocional, lealtad a toda prueba y poder de regeneración.');
INSERT INTO Signos_02 VALUES (9, 'Sag', 'Optimismo, sabiduría abierta y sed de experiencias que amplían la mirada.');
INSERT INTO Signos_02 VALUES (10, 'Cap', 'Responsabilidad, perseverancia y una autoridad ganada con integridad.');
INSERT INTO Signos_02 VALUES (11, 'Acu', 'Originalidad, espíritu fraterno y compromiso con el progreso común.');
INSERT INTO Signos_02 VALUES (12, 'Pis', 'Compasión, imaginación inspirada y una sensibilidad abierta a lo sutil.');

CREATE TABLE Signos_03 (Id integer primary key, Clave varchar(3), Texto text);
INSERT INTO Signos_03 VALUES (1, 'Ari', 'Impaciencia, impulsividad y tendencia a imponerse sin escuchar.');
INSERT INTO Signos_03 VALUES (2, 'Tau', 'Terquedad, apego a lo material y resistencia al cambio.');
INSERT INTO Signos_03 VALUES (3, 'Gém', 'Dispersión, superficialidad y palabras que no se sostienen con hechos.');
INSERT INTO Signos_03 VALUES (4, 'Cán', 'Susceptibilidad, dependencia afectiva y refugio en el pasado.');
INSERT INTO Signos_03 VALUES (5, 'Leo', 'Orgullo, necesidad de aprobación y afán de protagonismo.');
INSERT INTO Signos_03 VALUES (6, 'Vir', 'Perfeccionismo ansioso, crítica excesiva y preocupación constante.');
INSERT INTO Signos_03 VALUES (7, 'Lib', 'Indecisión, dependencia de la opinión ajena y evitación del conflicto a cualquier precio.');
INSERT INTO Signos_03 VALUES (8, 'Esc', 'Celos, rencor y deseo de controlar a los demás.');
INSERT INTO Signos_03 VALUES (9, 'Sag', 'Exageración, dogmatismo e inquietud que no llega a comprometerse.');
INSERT INTO Signos_03 VALUES (10, 'Cap', 'Rigidez, frialdad y una ambición que sacrifica los afectos.');
INSERT INTO Signos_03 VALUES (11, 'Acu', 'Distancia emocional, rebeldía sin causa y obstinación en las propias ideas.');
INSERT INTO Signos_03 VALUES (12, 'Pis', 'Evasión, confusión y tendencia a victimizarse o a perder los propios límites.');

CREATE TABLE Aspectos_01 (Id integer primary key, Clave varchar(5), Texto text);
INSERT INTO Aspectos_01 VALUES (1, '0', 'Conjunción: fusión de dos fuerzas que abre un ciclo nuevo.');
INSERT INTO Aspectos_01 VALUES (2, '180', 'Oposición: encuentro de polos que pide conciencia y equilibrio.');
INSERT INTO Aspectos_01 VALUES (3, '120', 'Trígono: fluidez y talento natural que facilitan el camino.');
INSERT INTO Aspectos_01 VALUES (4, '90', 'Cuadratura: tensión creativa que exige acción y decisión.');
INSERT INTO Aspectos_01 VALUES (5, '72', 'Quintil: chispa creadora y talento para dar una forma original.');
INSERT INTO Aspectos_01 VALUES (6, '60', 'Sextil: oportunidad que se abre cuando se da el primer paso.');
INSERT INTO Aspectos_01 VALUES (7, '51', 'Septil: inspiración misteriosa que señala un destino íntimo.');
INSERT INTO Aspectos_01 VALUES (8, '45', 'Semicuadratura: fricción menor que irrita y obliga a ajustar.');
INSERT INTO Aspectos_01 VALUES (9, '165', 'Quindecil: impulso intenso que puede volverse obsesivo.');
INSERT INTO Aspectos_01 VALUES (10, '150', 'Quincuncio: desajuste entre dos áreas que pide adaptación.');
INSERT INTO Aspectos_01 VALUES (11, '144', 'Biquintil: talento maduro para transformar la experiencia en obra.');
INSERT INTO Aspectos_01 VALUES (12, '135', 'Sesquicuadratura: presión acumulada que busca salida.');
INSERT INTO Aspectos_01 VALUES (13, '105', 'Aspecto de 105°: tensión suave que invita a corregir el rumbo.');
INSERT INTO Aspectos_01 VALUES (14, '75', 'Aspecto de 75°: estímulo que mezcla esfuerzo y facilidad.');
INSERT INTO Aspectos_01 VALUES (15, '40', 'Novil: maduración paciente que conduce a una culminación.');
INSERT INTO Aspectos_01 VALUES (16, '36', 'Decil: habilidad fina que se desarrolla con la práctica.');
INSERT INTO Aspectos_01 VALUES (17, '33', 'Aspecto de 33°: contacto sutil que despierta una inquietud nueva.');
INSERT INTO Aspectos_01 VALUES (18, '30', 'Semisextil: pequeña apertura entre ámbitos vecinos.');
INSERT INTO Aspectos_01 VALUES (19, '15', 'Aspecto de 15°: roce leve que anuncia un ajuste.');

CREATE TABLE Aspectos_02 (Id integer primary key, Clave varchar(5), Texto text);
INSERT INTO Aspectos_02 VALUES (1, '0', 'Concentra la intención en un solo objetivo');
INSERT INTO Aspectos_02 VALUES (2, '180', 'Escucha al otro lado antes de responder');
INSERT INTO Aspectos_02 VALUES (3, '120', 'Aprovecha lo que fluye sin darlo por hecho');
INSERT INTO Aspectos_02 VALUES (4, '90', 'Enfrenta el obstáculo con un plan concreto');
INSERT INTO Aspectos_02 VALUES (5, '72', 'Juega con la forma y crea algo propio');
INSERT INTO Aspectos_02 VALUES (6, '60', 'Da el primer paso y cultiva el contacto');
INSERT INTO Aspectos_02 VALUES (7, '51', 'Confía en la intuición aunque no sepas explicarla');
INSERT INTO Aspectos_02 VALUES (8, '45', 'Atiende las pequeñas molestias antes de que crezcan');
INSERT INTO Aspectos_02 VALUES (9, '165', 'Modera el impulso y elige dónde poner la fuerza');
INSERT INTO Aspectos_02 VALUES (10, '150', 'Ajusta hábitos y expectativas con paciencia');
INSERT INTO Aspectos_02 VALUES (11, '144', 'Pule lo aprendido hasta convertirlo en obra');
INSERT INTO Aspectos_02 VALUES (12, '135', 'Libera la presión de forma consciente y gradual');
INSERT INTO Aspectos_02 VALUES (13, '105', 'Corrige el rumbo con gestos pequeños');
INSERT INTO Aspectos_02 VALUES (14, '75', 'Combina esfuerzo y disfrute en la misma tarea');
INSERT INTO Aspectos_02 VALUES (15, '40', 'Persevera en silencio y deja madurar el proceso');
INSERT INTO Aspectos_02 VALUES (16, '36', 'Practica con constancia la habilidad que asoma');
INSERT INTO Aspectos_02 VALUES (17, '33', 'Presta atención a lo que empieza a inquietarte');
INSERT INTO Aspectos_02 VALUES (18, '30', 'Explora lo que tienes a tu lado');
INSERT INTO Aspectos_02 VALUES (19, '15', 'Observa el detalle que pide un cambio');

CREATE TABLE Aspectos_03 (Id integer primary key, Clave varchar(5), Texto text);
INSERT INTO Aspectos_03 VALUES (1, '0', 'Las energías implicadas actúan como una sola y lo que se siembre ahora marcará el ciclo que comienza. La clave es no confundir intensidad con dirección.');
INSERT INTO Aspectos_03 VALUES (2, '180', 'Lo que se vive como enfrentamiento muestra fuera una parte de uno mismo. Integrar ambos polos convierte la tensión en conciencia.');
INSERT INTO Aspectos_03 VALUES (3, '120', 'Las cosas se dan con facilidad y los recursos aparecen a tiempo. El riesgo es la pasividad: el talento también necesita ejercicio.');
INSERT INTO Aspectos_03 VALUES (4, '90', 'La fricción obliga a salir de la comodidad y a construir algo nuevo. Bien aprovechada, es la relación que más hace crecer.');
INSERT INTO Aspectos_03 VALUES (5, '72', 'Surge una habilidad especial para expresar de forma creativa lo que está en juego. Es un momento para el oficio y la invención.');
INSERT INTO Aspectos_03 VALUES (6, '60', 'Las circunstancias ofrecen colaboración y apertura, pero solo si se las busca. La oportunidad es real y pide iniciativa.');
INSERT INTO Aspectos_03 VALUES (7, '51', 'Algo se mueve más allá de la lógica y conecta con un sentido de destino. Conviene atender a los sueños, las coincidencias y las señales.');
INSERT INTO Aspectos_03 VALUES (8, '45', 'Una incomodidad pequeña y persistente indica que algo necesita ajuste. Ignorarla la hace crecer; atenderla la resuelve.');
INSERT INTO Aspectos_03 VALUES (9, '165', 'La energía se carga de urgencia y puede llevar a la compulsión. Encauzada hacia una meta precisa, se vuelve muy eficaz.');
INSERT INTO Aspectos_03 VALUES (10, '150', 'Dos ámbitos de la vida no encajan y ninguno cede del todo. La solución está en ajustes pequeños y sostenidos, no en rupturas.');
INSERT INTO Aspectos_03 VALUES (11, '144', 'Lo que se ha cultivado con tiempo encuentra ahora su forma más lograda. Es una relación de talento refinado y obra consciente.');
INSERT INTO Aspectos_03 VALUES (12, '135', 'Las tensiones acumuladas buscan salida y pueden estallar en el momento menos oportuno. Anticiparse y aliviar la presión evita el choque.');
INSERT INTO Aspectos_03 VALUES (13, '105', 'Una tensión suave revela que el camino elegido necesita una corrección. Atenderla a tiempo evita desvíos mayores.');
INSERT INTO Aspectos_03 VALUES (14, '75', 'El esfuerzo y la facilidad se alternan y obligan a combinar disciplina con disfrute. Es propicio para avanzar sin forzar.');
INSERT INTO Aspectos_03 VALUES (15, '40', 'Un proceso lento llega a su madurez y muestra su sentido. La paciencia de antes rinde ahora sus frutos.');
INSERT INTO Aspectos_03 VALUES (16, '36', 'Se despierta una habilidad que pide práctica y refinamiento. Los pequeños logros acumulados preparan algo mayor.');
INSERT INTO Aspectos_03 VALUES (17, '33', 'Un contacto leve deja una inquietud que invita a explorar. No exige una respuesta inmediata, pero sí atención.');
INSERT INTO Aspectos_03 VALUES (18, '30', 'Ámbitos vecinos entran en diálogo y se abren posibilidades discretas. Conviene aprovechar los recursos cercanos.');
INSERT INTO Aspectos_03 VALUES (19, '15', 'Un roce casi imperceptible anuncia un cambio de matiz. Observarlo permite adelantarse a lo que viene.');

CREATE TABLE _Info_Data (Nombre varchar(200), Autor varchar(200), Owner varchar(200),
    Version varchar(200), Url varchar(200), Alcance varchar(200), Contexto varchar(200),
    Clase integer, ToClase integer, CanEdit integer, CanCopy integer, CanDelete integer,
    ForceInfo integer);
INSERT INTO _Info_Data VALUES ('Quillmere C1 001 - Arquetipos de tránsitos', 'Proyecto Varnolt',
    'Varnolt', '1.0', 'README.md', 'Ítems, casas, signos y aspectos',
    'Tránsitos sobre la carta natal', 1, 0, 0, 1, 0, 0);
