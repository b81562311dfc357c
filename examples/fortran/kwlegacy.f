C     A Fortran 77 drawing program: it declares nothing and calls the
C     library's lower-case names that the compiler gives external
C     routines. Texts are blank-padded; their lengths travel hidden.
      PROGRAM KWLEGACY
      CHARACTER*40 LAYER, VALUE, VKIND
      CHARACTER*2 SHORT
      INTEGER NUM, NUM2, ICOL, ITYPE, ICOUNT, IFOUND, NFAIL
      INTEGER GETUSERPARAINFO, CREATALLLINETYPE
      REAL WIDTH, VALUES(9), W, H
      NFAIL = 0
      CALL INITKWUTIL()
C     Beam (GBK bytes of the Chinese kind name).
      NUM = -1
      CALL GETLAYERINFO(CHAR(193)//CHAR(186), LAYER, NUM, ICOL, ITYPE,
     &                  WIDTH)
      WRITE (*, '(A,I0,A,A)') 'beam layer ', NUM, ' name ', LAYER
      IF (NUM .LE. 0) NFAIL = NFAIL + 1
      IF (LAYER(40:40) .NE. ' ') NFAIL = NFAIL + 1
C     A two-byte output gets two bytes, never more.
      CALL GETLAYERINFO(CHAR(193)//CHAR(186), SHORT, NUM2, ICOL, ITYPE,
     &                  WIDTH)
      IF (SHORT .NE. LAYER(1:2)) NFAIL = NFAIL + 1
      CALL GETLAYERNUM(CHAR(193)//CHAR(186)//'   ', NUM2)
      IF (NUM2 .NE. NUM) NFAIL = NFAIL + 1
      CALL GETLINETYPEINFO1('SOLID', NUM, ICOUNT, VALUES)
      IF (NUM .NE. 1 .OR. ICOUNT .NE. 0) NFAIL = NFAIL + 1
      CALL GETDIMTEXTINFO('SYSTEMTEXTSIZE',
     &  CHAR(184)//CHAR(214)//CHAR(189)//CHAR(238)//CHAR(177)//CHAR(234)
     &  //CHAR(215)//CHAR(162), W, H)
      WRITE (*, '(A,F6.2,A,F6.2)') 'bar mark text: width ', W,
     &  ' height ', H
      IF (H .LE. 0) NFAIL = NFAIL + 1
      IFOUND = GETUSERPARAINFO(
     &  CHAR(211)//CHAR(195)//CHAR(187)//CHAR(167)//CHAR(178)//CHAR(206)
     &  //CHAR(202)//CHAR(253)//CHAR(177)//CHAR(237),
     &  CHAR(184)//CHAR(214)//CHAR(189)//CHAR(238)//CHAR(181)//CHAR(200)
     &  //CHAR(188)//CHAR(182), VALUE, VKIND)
      WRITE (*, '(A,I0,A,A)') 'bar grade found ', IFOUND, ' value ',
     &  VALUE
      IF (IFOUND .NE. 1 .OR. VALUE .NE. 'HRB400') NFAIL = NFAIL + 1
      CALL SETDRAWINGSCALE(50)
      IF (CREATALLLINETYPE() .NE. 1) NFAIL = NFAIL + 1
      CALL CLOSEKWUTIL()
      IF (NFAIL .GT. 0) THEN
        WRITE (*, '(I0,A)') NFAIL, ' checks failed'
        STOP 1
      END IF
      WRITE (*, '(A)') 'all checks passed'
      END
