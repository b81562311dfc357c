! A drawing program in Fortran, loaded by kwdraw as a plug-in: a column table (mark, section and
! main bars of three columns) drawn with the parameter library's layers and text sizes through the
! host's Fortran-callable drawing calls, placed where the user picks.
!
!   kwdraw --load libcoltable.so      then Programs > coltable > COLTABLE
!
! Texts are GBK bytes written as \xNN escapes (compile with -fbackslash).
module column_table
  use iso_c_binding
  implicit none
  private

  ! The commands kwdraw lists (blank-separated, NUL-terminated).
  character(kind=c_char), bind(C, name='kw_commands') :: kw_commands(9) = &
    ['C', 'O', 'L', 'T', 'A', 'B', 'L', 'E', c_null_char]

  interface
    subroutine GETLAYERINFO(kind, name, num, colour, ltype, width) bind(C, name='GETLAYERINFO')
      import :: c_char, c_int, c_float
      character(kind=c_char), dimension(*) :: kind, name
      integer(c_int) :: num, colour, ltype
      real(c_float) :: width
    end subroutine
    subroutine GETDIMTEXTINFO(kind, item, first, second) bind(C, name='GETDIMTEXTINFO')
      import :: c_char, c_float
      character(kind=c_char), dimension(*) :: kind, item
      real(c_float) :: first, second
    end subroutine
    subroutine KWHSETPEN(layer, ltype, width, colour) bind(C, name='KWHSETPEN')
      import :: c_int
      integer(c_int) :: layer, ltype, width, colour
    end subroutine
    subroutine KWHLINE(x1, y1, x2, y2) bind(C, name='KWHLINE')
      import :: c_float
      real(c_float) :: x1, y1, x2, y2
    end subroutine
    subroutine KWHTEXT(text, length, x, y, cw, ch, ha, va, angle) bind(C, name='KWHTEXT')
      import :: c_char, c_int, c_float
      character(kind=c_char), dimension(*) :: text
      integer(c_int) :: length, ha, va
      real(c_float) :: x, y, cw, ch, angle
    end subroutine
    subroutine KWHPROMPT(text, length) bind(C, name='KWHPROMPT')
      import :: c_char, c_int
      character(kind=c_char), dimension(*) :: text
      integer(c_int) :: length
    end subroutine
    subroutine KWHGETPOINT(x, y, status) bind(C, name='KWHGETPOINT')
      import :: c_float, c_int
      real(c_float) :: x, y
      integer(c_int) :: status
    end subroutine
  end interface

  public :: COLTABLE, kw_commands

contains

  ! The pen of a component kind (GBK name, NUL-terminated).
  subroutine pen_of(kind)
    character(len=*), intent(in) :: kind
    character(kind=c_char) :: name(100)
    integer(c_int) :: num, colour, ltype, wcode
    real(c_float) :: width
    call GETLAYERINFO(kind, name, num, colour, ltype, width)
    wcode = int(width * 1000.0)
    call KWHSETPEN(num, ltype, wcode, colour)
  end subroutine

  subroutine text_at(text, x, y, cw, ch)
    character(len=*), intent(in) :: text
    real(c_float), intent(in) :: x, y, cw, ch
    integer(c_int) :: length, ha, va
    real(c_float) :: xx, yy, w, h, angle
    length = len_trim(text)
    ha = 102
    va = 102
    xx = x
    yy = y
    w = cw
    h = ch
    angle = 0.0
    call KWHTEXT(text, length, xx, yy, w, h, ha, va, angle)
  end subroutine

  subroutine COLTABLE() bind(C, name='COLTABLE')
    character(len=*), parameter :: prompt = '\xC7\xEB\xB5\xE3\xC8\xA1\xD6\xF9\xB1\xED\xCE\xBB\xD6\xC3'
    character(len=16), parameter :: cells(3, 4) = reshape([character(len=16) :: &
      'KZ', 'b x h', 'As', &
      'KZ1', '500x500', '12C25', &
      'KZ2', '600x600', '16C25', &
      'KZ3', '600x800', '20C28'], [3, 4])
    real(c_float), parameter :: cellw = 3000.0, cellh = 800.0
    real(c_float) :: x0, y0, cw, ch, x1, y1, x2, y2, tx, ty
    integer(c_int) :: status, length, row, col

    length = len(prompt)
    call KWHPROMPT(prompt, length)
    call KWHGETPOINT(x0, y0, status)
    if (status /= 0) return

    ! Text size of column marks, in millimetres of paper, at 1:100.
    call GETDIMTEXTINFO('SYSTEMTEXTSIZE'//c_null_char, '\xD6\xF9\xB1\xE0\xBA\xC5'//c_null_char, cw, ch)
    cw = cw * 100.0
    ch = ch * 100.0

    call pen_of('\xD6\xF9'//c_null_char)                       ! the column layer
    do row = 0, 4
      x1 = x0
      x2 = x0 + 3 * cellw
      y1 = y0 - row * cellh
      call KWHLINE(x1, y1, x2, y1)
    end do
    do col = 0, 3
      x1 = x0 + col * cellw
      y1 = y0
      y2 = y0 - 4 * cellh
      call KWHLINE(x1, y1, x1, y2)
    end do

    call pen_of('\xD6\xF9\xB1\xE0\xBA\xC5'//c_null_char)       ! the column mark layer
    do row = 1, 4
      do col = 1, 3
        tx = x0 + (col - 0.5) * cellw
        ty = y0 - (row - 0.5) * cellh
        call text_at(trim(cells(col, row)), tx, ty, cw, ch)
      end do
    end do
  end subroutine

end module
