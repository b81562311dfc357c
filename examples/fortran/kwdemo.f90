! A Fortran drawing program reaching the parameter library through its C-linkage functions.
! Texts are NUL-terminated GBK; outputs are passed by address, plain integers by value where the
! library takes them so (CREATEONELINETYPE, SETDRAWINGSCALE).
module kwutil
  use iso_c_binding
  implicit none
  interface
    subroutine INITKWUTIL() bind(C, name='INITKWUTIL')
    end subroutine
    subroutine CLOSEKWUTIL() bind(C, name='CLOSEKWUTIL')
    end subroutine
    subroutine GETLAYERINFO(kind, name, num, colour, ltype, width) bind(C, name='GETLAYERINFO')
      import :: c_char, c_int, c_float
      character(kind=c_char), dimension(*) :: kind, name
      integer(c_int) :: num, colour, ltype
      real(c_float) :: width
    end subroutine
    subroutine GETLAYERNUM(kind, num) bind(C, name='GETLAYERNUM')
      import :: c_char, c_int
      character(kind=c_char), dimension(*) :: kind
      integer(c_int) :: num
    end subroutine
    subroutine GETLINETYPEINFO(num, count, values) bind(C, name='GETLINETYPEINFO')
      import :: c_int, c_float
      integer(c_int) :: num, count
      real(c_float) :: values(9)
    end subroutine
    subroutine GETLINETYPEINFO1(name, num, count, values) bind(C, name='GETLINETYPEINFO1')
      import :: c_char, c_int, c_float
      character(kind=c_char), dimension(*) :: name
      integer(c_int) :: num, count
      real(c_float) :: values(9)
    end subroutine
    subroutine GETDIMTEXTINFO(kind, item, first, second) bind(C, name='GETDIMTEXTINFO')
      import :: c_char, c_float
      character(kind=c_char), dimension(*) :: kind, item
      real(c_float) :: first, second
    end subroutine
    integer(c_int) function GETUSERPARAINFO(table, item, value, vkind) bind(C, name='GETUSERPARAINFO')
      import :: c_char, c_int
      character(kind=c_char), dimension(*) :: table, item, value, vkind
    end function
    subroutine SETDRAWINGSCALE(scale) bind(C, name='SETDRAWINGSCALE')
      import :: c_int
      integer(c_int), value :: scale
    end subroutine
    integer(c_int) function CREATALLLINETYPE() bind(C, name='CREATALLLINETYPE')
      import :: c_int
    end function
  end interface
end module kwutil

program kwdemo
  use kwutil
  implicit none
  character(kind=c_char, len=100) :: layer, value, vkind
  integer(c_int) :: num, colour, ltype, count, found, num2
  real(c_float) :: width, values(9), w, h
  integer :: failures = 0

  call INITKWUTIL()

  num = -1
  call GETLAYERINFO('\xC1\xBA'//c_null_char, layer, num, colour, ltype, width)   ! 梁 (beam)
  print '(a,i0,a,i0,a,i0,a,f6.3)', 'beam layer ', num, ' colour ', colour, ' line type ', ltype, ' width ', width
  if (num <= 0) failures = failures + 1

  call GETLAYERNUM('\xC1\xBA'//c_null_char, num2)
  if (num2 /= num) failures = failures + 1

  num = 2
  call GETLINETYPEINFO(num, count, values)
  print '(a,i0,a,9f8.2)', 'line type 2: ', count, ' dashes', values(1:count)
  if (count <= 0) failures = failures + 1

  call GETLINETYPEINFO1('SOLID'//c_null_char, num, count, values)
  if (num /= 1 .or. count /= 0) failures = failures + 1

  ! For text sizes the width comes first, then the height.
  call GETDIMTEXTINFO('SYSTEMTEXTSIZE'//c_null_char, '\xB8\xD6\xBD\xEE\xB1\xEA\xD7\xA2'//c_null_char, w, h)  ! 钢筋标注
  print '(a,f6.2,a,f6.2)', 'bar mark text: width ', w, ' height ', h
  if (h <= 0) failures = failures + 1

  value = ''
  found = GETUSERPARAINFO('\xD3\xC3\xBB\xA7\xB2\xCE\xCA\xFD\xB1\xED'//c_null_char, &      ! 用户参数表
                          '\xB8\xD6\xBD\xEE\xB5\xC8\xBC\xB6'//c_null_char, value, vkind)  ! 钢筋等级
  print '(a,i0,a,a)', 'bar grade found ', found, ' value ', value(1:index(value, c_null_char) - 1)
  if (found /= 1 .or. value(1:6) /= 'HRB400') failures = failures + 1

  call SETDRAWINGSCALE(50)
  if (CREATALLLINETYPE() /= 1) failures = failures + 1

  call CLOSEKWUTIL()
  if (failures > 0) then
    print '(i0,a)', failures, ' checks failed'
    stop 1
  end if
  print '(a)', 'all checks passed'
end program kwdemo
