# Fails unless the module's dynamic symbol table defines every entry point and unit variable
# under its plain, unmangled name.
set(expected
    IniProc CriaCancelaPedido CriaFiltroCancelaPed ContaChecked Initialize Finalize GetPackageInfoTable
    frmCancelaPed Filtro boIdCriado boTeclado boPrimVezFiltro inContPedidoCh inContItemPedidoCh
    inContDesabilitadosPed inContDesabilitadosIPed stSelNrPedido stNrItemPed stSituacaoItemPedido
    frmFiltroCancelaPed STCDFILIAL stNrPedido stVendedor stCliente stProduto stParamPedido stTPrioridade)
execute_process(COMMAND ${NM} -D --defined-only ${MODULE} OUTPUT_VARIABLE table RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm -D failed on ${MODULE}")
endif()
set(missing "")
foreach(name IN LISTS expected)
  if(NOT table MATCHES "[0-9a-f]+ [A-Za-z] ${name}\n")
    list(APPEND missing ${name})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not exported by plain name: ${missing}")
endif()
list(LENGTH expected count)
message(STATUS "${count} plain names exported")
